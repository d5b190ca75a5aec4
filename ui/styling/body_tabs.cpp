// The body's tab stops.
#include "ui/styling/body_tabs.h"

#include <QFontMetrics>
#include <QTextDocument>
#include <QTextEdit>

#include "settings/settings.h"

namespace pw {

std::vector<double> BodyTabStopPoints(const QTextEdit& body, int tab, int* zero_width) {
  const QFontMetrics metrics(body.document()->defaultFont());
  const int width = metrics.horizontalAdvance(QLatin1Char('0'));
  if (zero_width != nullptr) *zero_width = width;
  std::vector<double> stops;
  for (int stop : TabStopPoints(width, tab)) stops.push_back(stop);
  return stops;
}

QList<QTextOption::Tab> QtTabPositions(const std::vector<double>& points) {
  QList<QTextOption::Tab> tabs;
  for (double stop : points) {
    if (stop > 0) tabs.append(QTextOption::Tab(stop * 4.0 / 3.0, QTextOption::LeftTab));
  }
  return tabs;
}

}  // namespace pw
