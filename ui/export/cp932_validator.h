// Refuses text that Shift-JIS cannot hold, for the boxes whose text goes into an export or a
// settings file as CP932: such a character can never be typed or pasted there. Unlike the
// settings' Cp932Validator it lets control characters through (a tab in an indentation).
#ifndef PLOTWEAVE_UI_EXPORT_CP932_VALIDATOR_H_
#define PLOTWEAVE_UI_EXPORT_CP932_VALIDATOR_H_

#include <QValidator>

#include "ui/common/qt_text.h"

namespace pw {

class Cp932TextValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return ToCp932(input).unmappable == 0 ? Acceptable : Invalid;
  }
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_CP932_VALIDATOR_H_
