#pragma once

#include <QImage>

namespace briqo {

// A window that draws the picture Alt+Print Screen takes of it: its contents at its present
// size. The desktop's capture would add the frame and the title bar the window manager draws; Qt
// cannot reach those portably, so every picture taken here leaves them out.
class WindowPicture {
public:
    virtual ~WindowPicture() = default;
    virtual QImage windowPicture() = 0;
};

} // namespace briqo
