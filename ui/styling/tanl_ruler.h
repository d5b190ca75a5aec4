// The ruler over the body pane: a scale, three indent handles for the paragraph at the caret,
// two margin boundaries, and a dotted guide line drawn over the attached pane while a handle
// or margin is dragged. The rules live in styling's RulerModel; this widget paints it and
// feeds it the mouse.
#ifndef PLOTWEAVE_UI_STYLING_TANL_RULER_H_
#define PLOTWEAVE_UI_STYLING_TANL_RULER_H_

#include <QColor>
#include <QPointer>
#include <QTextEdit>
#include <QWidget>

#include "styling/ruler_model.h"


namespace pw {

class RulerGuideLine;

class TanlRuler : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int RulerTab READ RulerTab WRITE SetRulerTab)
  Q_PROPERTY(int MinIndentDist READ MinIndentDist WRITE SetMinIndentDist)
  Q_PROPERTY(int Factor READ Factor WRITE SetFactor)
  Q_PROPERTY(int TabDist READ TabDist WRITE SetTabDist)
  Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
  Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
  Q_PROPERTY(int BorderLeft READ BorderLeft WRITE SetBorderLeft)
  Q_PROPERTY(int BorderUp READ BorderUp WRITE SetBorderUp)
  Q_PROPERTY(int BorderDown READ BorderDown WRITE SetBorderDown)
  Q_PROPERTY(int BorderRight READ BorderRight WRITE SetBorderRight)
  Q_PROPERTY(int IndentFirst READ IndentFirst WRITE SetIndentFirst)
  Q_PROPERTY(int IndentLeft READ IndentLeft WRITE SetIndentLeft)
  Q_PROPERTY(int IndentRight READ IndentRight WRITE SetIndentRight)
  Q_PROPERTY(bool ShowSmallLines READ ShowSmallLines WRITE SetShowSmallLines)
  Q_PROPERTY(bool ShowLargeLines READ ShowLargeLines WRITE SetShowLargeLines)
  Q_PROPERTY(bool ShowIndents READ ShowIndents WRITE SetShowIndents)
  Q_PROPERTY(bool ShowNumbers READ ShowNumbers WRITE SetShowNumbers)
  Q_PROPERTY(bool ShowMarginHandlers READ ShowMarginHandlers WRITE SetShowMarginHandlers)

 public:
  explicit TanlRuler(QWidget* parent = nullptr);
  ~TanlRuler() override;

  // The pane the guide lines are drawn on (nullptr detaches).
  QTextEdit* Richedit() const { return richedit_; }
  void SetRichedit(QTextEdit* pane);

  int RulerTab() const { return model_.RulerTab(); }
  void SetRulerTab(int v) { model_.SetRulerTab(v); }
  int MinIndentDist() const { return model_.MinIndentDist(); }
  void SetMinIndentDist(int v) { model_.SetMinIndentDist(v); }
  int Factor() const { return model_.Factor(); }
  void SetFactor(int v) { model_.SetFactor(v); }
  int TabDist() const { return model_.TabDist(); }
  void SetTabDist(int v) { model_.SetTabDist(v); }
  int MarginLeft() const { return model_.MarginLeft(); }
  void SetMarginLeft(int v) { model_.SetMarginLeft(v); }
  int MarginRight() const { return model_.MarginRight(); }
  void SetMarginRight(int v) { model_.SetMarginRight(v); }
  int BorderLeft() const { return model_.BorderLeft(); }
  void SetBorderLeft(int v) { model_.SetBorderLeft(v); }
  int BorderUp() const { return model_.BorderUp(); }
  void SetBorderUp(int v) { model_.SetBorderUp(v); }
  int BorderDown() const { return model_.BorderDown(); }
  void SetBorderDown(int v) { model_.SetBorderDown(v); }
  int BorderRight() const { return model_.BorderRight(); }
  void SetBorderRight(int v) { model_.SetBorderRight(v); }
  int IndentFirst() const { return model_.IndentFirst(); }
  void SetIndentFirst(int v) { model_.SetIndentFirst(v); }
  int IndentLeft() const { return model_.IndentLeft(); }
  void SetIndentLeft(int v) { model_.SetIndentLeft(v); }
  int IndentRight() const { return model_.IndentRight(); }
  void SetIndentRight(int v) { model_.SetIndentRight(v); }
  void SetIndents(int first, int left, int right) { model_.SetIndents(first, left, right); }
  bool ShowSmallLines() const { return model_.ShowSmallLines(); }
  void SetShowSmallLines(bool v) { model_.SetShowSmallLines(v); }
  bool ShowLargeLines() const { return model_.ShowLargeLines(); }
  void SetShowLargeLines(bool v) { model_.SetShowLargeLines(v); }
  bool ShowIndents() const { return model_.ShowIndents(); }
  void SetShowIndents(bool v) { model_.SetShowIndents(v); }
  bool ShowNumbers() const { return model_.ShowNumbers(); }
  void SetShowNumbers(bool v) { model_.SetShowNumbers(v); }
  bool ShowMarginHandlers() const { return model_.ShowMarginHandlers(); }
  void SetShowMarginHandlers(bool v) { model_.SetShowMarginHandlers(v); }

  // The writing area's colour (the ruler's own colour); the borders and margins take the
  // palette's button colours.
  QColor Color() const { return color_; }
  void SetColor(const QColor& color);

  const styling::RulerModel& model() const { return model_; }
  // The guide line over the attached pane (nullptr when none is attached).
  QWidget* guide_line() const;
  QSize sizeHint() const override { return {300, 25}; }

 signals:
  void OnIndentChange(int IndentID);
  void OnIndentDrag(int IndentID);
  void OnIndentClick(int IndentID);
  void OnIndentDblClick(int IndentID);
  void OnMarginChange(int MarginID);
  void OnMarginDrag(int MarginID);
  void OnMarginClick(int MarginID);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ModelChanged();
  void UpdateGuideLine();
  void PaintHandle(QPainter* painter, int indent_id, int left, bool ghost) const;

  styling::RulerModel model_;
  QColor color_;
  QPointer<QTextEdit> richedit_;
  RulerGuideLine* guide_ = nullptr;  // a child of the pane's viewport
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_STYLING_TANL_RULER_H_
