#include "gui/FrameTransport.h"

#include <QByteArray>
#include <QtGlobal>

#include <xcb/xcb.h>

namespace fw {

namespace {

constexpr const char* kNoSharedMemory = "QT_XCB_NO_MITSHM";

bool WillUseX()
{
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return (platform.isEmpty() || platform.startsWith("xcb")) && !qgetenv("DISPLAY").isEmpty();
}

}

int DisplayBitsPerPixel()
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    int bits = 0;
    if (!xcb_connection_has_error(connection)) {
        const xcb_setup_t* setup = xcb_get_setup(connection);
        xcb_screen_iterator_t screen = xcb_setup_roots_iterator(setup);
        for (int i = 0; i < screenNumber && screen.rem; ++i)
            xcb_screen_next(&screen);
        if (screen.rem) {
            for (xcb_format_iterator_t format = xcb_setup_pixmap_formats_iterator(setup); format.rem; xcb_format_next(&format)) {
                if (format.data->depth == screen.data->root_depth)
                    bits = format.data->bits_per_pixel;
            }
        }
    }
    xcb_disconnect(connection);
    return bits;
}

void ChooseFrameTransport()
{
    if (qEnvironmentVariableIsSet(kNoSharedMemory)) {
        // Qt turns shared memory off at any value, even one that means the opposite.
        QByteArray value = qgetenv(kNoSharedMemory);
        if (value.isEmpty() || value == "0")
            qunsetenv(kNoSharedMemory);
        return;
    }
    // In the request itself, a frame's few changed pixels do not wait for the server's answer
    // before the next paint, as frames through shared memory do. Qt sends them that way soundly
    // only where a pixel takes 32 bits: with fewer it reads past the end of its image.
    if (WillUseX() && DisplayBitsPerPixel() == 32)
        qputenv(kNoSharedMemory, "1");
}

}
