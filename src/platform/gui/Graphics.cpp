#include <fw/Graphics.h>

namespace fw {

const ClassInfo& Graphics::StaticClass()
{
    static const ClassInfo info("Graphics", &Object::StaticClass(), nullptr);
    return info;
}

Graphics::Graphics(const Ref<Canvas>& canvas)
    : m_canvas(canvas)
{
}

}
