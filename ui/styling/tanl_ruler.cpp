// Painting and mouse handling of the ruler. Everything is drawn in whole logical pixels with
// fills and half-pixel-aligned outlines, so the scale stays crisp at any device-pixel ratio.
#include "ui/styling/tanl_ruler.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QTextEdit>

namespace pw {

// The guide line: a one-pixel strip over the pane's viewport that inverts what lies under it
// in a dotted pattern, so it shows on any background and colour of text.
class RulerGuideLine : public QWidget {
 public:
  explicit RulerGuideLine(QWidget* viewport) : QWidget(viewport) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Difference);
    for (int y = 0; y < height(); y += 2) p.fillRect(QRect(0, y, 1, 1), Qt::white);
  }
};

namespace {

using styling::kIndentBoth;
using styling::kIndentFirst;
using styling::kIndentLeft;
using styling::kIndentRight;

// Corner points of the handles in their own 9 x 8 box.
QPainterPath HandlePath(int indent_id) {
  QPainterPath path;
  auto poly = [&path](std::initializer_list<QPointF> points) {
    QPolygonF polygon;
    for (const QPointF& point : points) polygon << point + QPointF(0.5, 0.5);
    polygon << polygon.front();
    path.addPolygon(polygon);
  };
  switch (indent_id) {
    case kIndentFirst:
      poly({{0, 0}, {8, 0}, {8, 3}, {4, 7}, {0, 3}});
      break;
    case kIndentBoth:
      poly({{0, 0}, {8, 0}, {8, 4}, {0, 4}});
      break;
    default:
      poly({{0, 7}, {0, 4}, {4, 0}, {8, 4}, {8, 7}});
      break;
  }
  return path;
}

}  // namespace

TanlRuler::TanlRuler(QWidget* parent) : QWidget(parent), color_(palette().color(QPalette::Base)) {
  QFont small = font();
  small.setPointSize(7);
  setFont(small);
  setMouseTracking(true);
  resize(300, 25);
  model_.SetSize(width(), height());
  model_.OnChanged = [this] { ModelChanged(); };
  model_.OnIndentChange = [this](int id) { emit OnIndentChange(id); };
  model_.OnIndentDrag = [this](int id) { emit OnIndentDrag(id); };
  model_.OnIndentClick = [this](int id) { emit OnIndentClick(id); };
  model_.OnIndentDblClick = [this](int id) { emit OnIndentDblClick(id); };
  model_.OnMarginChange = [this](int id) { emit OnMarginChange(id); };
  model_.OnMarginDrag = [this](int id) { emit OnMarginDrag(id); };
  model_.OnMarginClick = [this](int id) { emit OnMarginClick(id); };
}

TanlRuler::~TanlRuler() {
  model_.OnChanged = nullptr;
  delete guide_;
}

void TanlRuler::SetRichedit(QTextEdit* pane) {
  if (pane == richedit_) return;
  delete guide_;
  guide_ = nullptr;
  richedit_ = pane;
  if (pane != nullptr) guide_ = new RulerGuideLine(pane->viewport());
}

QWidget* TanlRuler::guide_line() const { return guide_; }

void TanlRuler::SetColor(const QColor& color) {
  if (color == color_) return;
  color_ = color;
  update();
}

void TanlRuler::ModelChanged() {
  update();
  UpdateGuideLine();
}

void TanlRuler::UpdateGuideLine() {
  if (guide_ == nullptr || richedit_ == nullptr) return;
  const std::optional<int> x = model_.GuideX();
  if (!x) {
    guide_->hide();
    return;
  }
  QWidget* viewport = richedit_->viewport();
  const int pane_x = viewport->mapFromGlobal(mapToGlobal(QPoint(*x, 0))).x();
  guide_->setGeometry(pane_x, 1, 1, std::max(viewport->height() - 1, 0));
  guide_->show();
  guide_->raise();
}

void TanlRuler::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  model_.SetSize(width(), height());
}

void TanlRuler::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::EnabledChange) update();
}

void TanlRuler::PaintHandle(QPainter* p, int indent_id, int left, bool ghost) const {
  const styling::RulerRect r = model_.HandleRectAt(indent_id, left);
  p->save();
  p->translate(r.x, r.y);
  const QPainterPath path = HandlePath(indent_id);
  if (ghost) {
    p->setPen(QPen(palette().color(QPalette::Dark), 1));
    p->setBrush(Qt::NoBrush);
    p->drawPath(path);
  } else {
    p->setPen(Qt::NoPen);
    p->setBrush(palette().color(QPalette::Button));
    p->drawPath(path);
    // The highlight edge along the upper left, inside the outline.
    p->setPen(QPen(palette().color(QPalette::Light), 1));
    if (indent_id == kIndentFirst || indent_id == kIndentBoth) {
      p->drawLine(QPointF(1.5, 1.5), QPointF(7.5, 1.5));
      p->drawLine(QPointF(1.5, 1.5), QPointF(1.5, indent_id == kIndentBoth ? 3.5 : 2.5));
    } else {
      p->drawLine(QPointF(1.5, 7.5), QPointF(1.5, 4.5));
      p->drawLine(QPointF(1.5, 4.5), QPointF(4.5, 1.5));
    }
    const QColor outline = isEnabled() ? QColor(Qt::black) : palette().color(QPalette::Dark);
    p->setPen(QPen(outline, 1));
    p->setBrush(Qt::NoBrush);
    p->drawPath(path);
  }
  p->restore();
}

void TanlRuler::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor face = palette().color(QPalette::Button);
  const QColor shadow = palette().color(QPalette::Mid);
  const QColor ink = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                     QPalette::WindowText);
  const int w = width();
  const int h = height();
  const int bl = model_.BorderLeft();
  const int br = model_.BorderRight();
  const int bu = model_.BorderUp();
  const int bd = model_.BorderDown();

  // Borders, margins and the writing area.
  p.fillRect(rect(), face);
  const QRect inner(bl, bu, w - bl - br, h - bu - bd);
  p.fillRect(inner, color_);
  p.fillRect(QRect(bl, bu, model_.MarginLeft(), inner.height()), shadow);
  p.fillRect(QRect(w - br - model_.MarginRight(), bu, model_.MarginRight(), inner.height()),
             shadow);
  if (model_.ShowMarginHandlers()) {
    const QColor left = model_.MarginLeft() != 0 ? face : shadow;
    const QColor right = model_.MarginRight() != 0 ? face : shadow;
    p.fillRect(QRect(model_.LeftBoundary() - 1, bu, 2, inner.height()), left);
    p.fillRect(QRect(model_.RightBoundary() - 1, bu, 2, inner.height()), right);
  }

  // The scale.
  p.setPen(ink);
  const int middle = h / 2;
  const QFontMetrics metrics(font());
  for (const styling::RulerTick& tick : model_.Scale()) {
    switch (tick.kind) {
      case styling::RulerTick::kSmall:
        p.fillRect(QRect(tick.x, middle - 1, 1, 2), ink);
        break;
      case styling::RulerTick::kLarge:
        p.fillRect(QRect(tick.x, middle - 2, 1, 5), ink);
        break;
      case styling::RulerTick::kNumber: {
        const QString number = QString::number(tick.number);
        const int text_width = metrics.horizontalAdvance(number);
        p.drawText(QRect(tick.x - text_width, 0, text_width * 2 + 1, h), Qt::AlignCenter, number);
        break;
      }
    }
  }

  // The handles; while one is dragged, an outline stays where it began.
  if (model_.ShowIndents()) {
    p.setRenderHint(QPainter::Antialiasing);
    for (int id : {kIndentFirst, kIndentLeft, kIndentBoth, kIndentRight}) {
      if (std::optional<int> start = model_.HandleStart(id)) PaintHandle(&p, id, *start, true);
    }
    PaintHandle(&p, kIndentFirst, model_.IndentFirst(), false);
    PaintHandle(&p, kIndentLeft, model_.IndentLeft(), false);
    PaintHandle(&p, kIndentBoth, model_.IndentLeft(), false);
    PaintHandle(&p, kIndentRight, model_.IndentRight(), false);
  }
}

void TanlRuler::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  model_.MouseDown(pos.x(), pos.y());
}

void TanlRuler::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (model_.dragging_handle() || model_.dragging_margin()) {
    if (event->buttons() & Qt::LeftButton) model_.MouseMove(pos.x(), pos.y());
    return;
  }
  const bool near_margin = model_.MarginAt(pos.x()).has_value() && !model_.HandleAt(pos.x(), pos.y());
  setCursor(near_margin ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TanlRuler::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  model_.MouseUp(pos.x(), pos.y());
}

void TanlRuler::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  // Qt delivers the second press of a double click as this event alone; the model wants the
  // double click and then the press it swallows.
  model_.DoubleClick(pos.x(), pos.y());
  model_.MouseDown(pos.x(), pos.y());
}

}  // namespace pw
