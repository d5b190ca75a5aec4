// The body's tab stops from the "Tab" setting: 32 stops, every Tab widths of "0" in the body
// pane's default font, in whole points.
#ifndef PLOTWEAVE_UI_STYLING_BODY_TABS_H_
#define PLOTWEAVE_UI_STYLING_BODY_TABS_H_

#include <QList>
#include <QTextOption>
#include <vector>

class QTextEdit;

namespace pw {

// `zero_width` (when given) gets the pixel width of "0".
std::vector<double> BodyTabStopPoints(const QTextEdit& body, int tab, int* zero_width = nullptr);
// Stops in points as Qt's tab positions (pixels); stops that are not past 0 are left out.
QList<QTextOption::Tab> QtTabPositions(const std::vector<double>& points);

}  // namespace pw

#endif  // PLOTWEAVE_UI_STYLING_BODY_TABS_H_
