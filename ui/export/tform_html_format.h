// The HTML options dialog ("HTML出力ｵﾌﾟｼｮﾝ"): marks as images, text or none; indented contents;
// the page extension; the site title. Made for each export; nothing is kept between exports.
#ifndef PLOTWEAVE_UI_EXPORT_TFORM_HTML_FORMAT_H_
#define PLOTWEAVE_UI_EXPORT_TFORM_HTML_FORMAT_H_

#include <QDialog>
#include <string>

#include "export/html_export.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pw {

class TFormHTMLFormat : public QDialog {
  Q_OBJECT

 public:
  explicit TFormHTMLFormat(QWidget* parent);

  // The title the box starts with (Shift-JIS).
  void SetSiteTitle(const std::string& cp932);
  // What the controls say; the title in Shift-JIS.
  HtmlOptions Options() const;

  QGroupBox* GroupBoxMark = nullptr;
  QRadioButton* RadioButtonGif = nullptr;
  QRadioButton* RadioButtonText = nullptr;
  QRadioButton* RadioButtonNone = nullptr;
  QGroupBox* GroupBoxTree = nullptr;
  QRadioButton* RadioButtonIndent = nullptr;
  QRadioButton* RadioButtonNoIndent = nullptr;
  QGroupBox* GroupBoxExt = nullptr;
  QRadioButton* RadioButtonHtm = nullptr;
  QRadioButton* RadioButtonHtml = nullptr;
  QGroupBox* GroupBoxTitle = nullptr;
  QLabel* LabelTitle = nullptr;
  QLineEdit* EditTitle = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_TFORM_HTML_FORMAT_H_
