#include "loaders/record_converter.h"

#include "platform/text/text.h"
#include "run/sub_fields.h"

namespace morvane::loaders {

using Result = engine::RecordReader::Result;

RecordConverter::RecordConverter(const LoaderDef& loader, std::vector<FieldTarget> targets)
    : loader_(loader), targets_(std::move(targets)), pieces_needed_(PiecesNeeded(loader)) {}

void RecordConverter::Convert(ParsedPass& pass) {
  switch (pass.result) {
    case Result::kEnd:
    case Result::kEmptyLine:
    case Result::kTooLong:
      return;  // the run keeps no text of these
    case Result::kUnterminated:
    case Result::kNotUtf8:
      break;
    case Result::kRecord:
      ConvertRecord(pass);
      break;
  }
  pass.text_length = text::Length(pass.text);
}

void RecordConverter::ConvertRecord(ParsedPass& pass) {
  if (loader_.splitting == Splitting::kSubFields) {
    sub_fields_ = engine::SplitSubFields(pass.text, loader_.pieces);
    pieces_.assign(sub_fields_.begin(), sub_fields_.end());
  } else {
    SplitBars(pass.text, loader_.pieces, pieces_);
    if (static_cast<int>(pieces_.size()) < pieces_needed_) {
      pass.set_aside = true;
      pass.reason = "too few fields: " + std::to_string(pieces_.size()) + " of " +
                     std::to_string(pieces_needed_);
      return;
    }
  }
  const Record rec(pieces_, pass.text);
  pass.values.reserve(targets_.size());
  try {
    for (const FieldTarget& t : targets_) {
      FieldValue value = ApplyConversion(*t.rule, rec, pass.actions);
      pass.values.emplace_back(value ? FitToField(t.field, loader_.table, std::move(*value), t.fraction)
                                     : db::Value());
    }
  } catch (const Rejected& why) {
    pass.set_aside = true;
    pass.reason = why.what();
    pass.values.clear();
  }
}

}  // namespace morvane::loaders
