// System metrics with the usual Windows values at 96 pixels per inch, so that the frame
// and control formulas give the same numbers on every desktop.
#pragma once

class QFont;

namespace framework {

enum SystemMetric : int {
    SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYCAPTION = 4,
    SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CXDLGFRAME = 7, SM_CYDLGFRAME = 8, SM_CYVTHUMB = 9,
    SM_CXHTHUMB = 10, SM_CXICON = 11, SM_CYICON = 12, SM_CXCURSOR = 13, SM_CYCURSOR = 14,
    SM_CYMENU = 15, SM_CXFULLSCREEN = 16, SM_CYFULLSCREEN = 17, SM_CYVSCROLL = 20,
    SM_CXHSCROLL = 21, SM_CXMIN = 28, SM_CYMIN = 29, SM_CXSIZE = 30, SM_CYSIZE = 31,
    SM_CXFRAME = 32, SM_CYFRAME = 33, SM_CXEDGE = 45, SM_CYEDGE = 46, SM_CXSMICON = 49,
    SM_CYSMICON = 50, SM_CYSMCAPTION = 51, SM_CXSMSIZE = 52, SM_CYSMSIZE = 53,
    SM_CXMENUSIZE = 54, SM_CYMENUSIZE = 55, SM_CXMAXIMIZED = 61, SM_CYMAXIMIZED = 62,
    SM_CXPADDEDBORDER = 92
};

// The table value; screen sizes come from the primary screen (800 x 600 without one);
// 0 for a metric the table does not hold.
int GetSystemMetrics(SystemMetric metric);

// The font the system writes window captions in (the caption font of its non-client metrics):
// Tahoma bold at 11 pixels, the classic desktop's, which fits the SM_CYCAPTION title.
QFont CaptionFont();

} // namespace framework
