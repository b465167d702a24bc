#pragma once

#include <fw/Object.h>

#include <memory>

namespace fw {

class PicturePrivate;

// A decoded picture. With Transparent = 1 its white pixels are see-through when it is drawn.
class Picture : public Object {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    // Decodes the bytes by their content, whatever the file was called; nil when they are no picture.
    static Ref<Picture> decode(const std::string& bytes);

    ~Picture() override;

    std::int32_t Width() const;
    std::int32_t Height() const;
    std::int32_t Transparent() const { return m_transparent; }
    void setTransparent(std::int32_t mode);

    // The framework's side: the pixels (gui/PicturePrivate.h).
    const PicturePrivate& d() const { return *m_d; }

private:
    explicit Picture(std::unique_ptr<PicturePrivate> d);

    std::unique_ptr<PicturePrivate> m_d;
    std::int32_t m_transparent { 0 };
};

}
