#pragma once

namespace fw {

// Chooses how frames reach an X display, before Qt connects to it: in the request itself where a
// pixel takes 32 bits, through shared memory elsewhere. QT_XCB_NO_MITSHM set by the user wins;
// "0" or empty keeps shared memory on.
void ChooseFrameTransport();

// The bits of one pixel on the X display that DISPLAY names, or 0 when there is none to reach.
int DisplayBitsPerPixel();

}
