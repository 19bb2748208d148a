#include <gtest/gtest.h>

#include "loaders/step_expectations.h"

namespace morvane::testing {
namespace {

const db::Value kNull;

// A record line of the given fields.
std::string Line(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& f : fields) line += f + "|";
  return line + "^|\n";
}

std::vector<std::string> Form312Fields() {
  std::vector<std::string> f = {"12", "SES-LIC-2001", "Jan  5 2001", "", "Feb 10 2003",
                                "Y",  "N",            "Y",           "N", "FX",
                                "Y"};
  for (int i = 12; i <= 23; ++i) f.push_back("N");
  for (const char* s : {"  Other service text  ", "Galaxy 3C", "95.0W", "N", "  United  States  "})
    f.push_back(s);
  return f;  // 28 fields
}

Row Form312Row() {
  Row r = {12, "SES-LIC-2001", "20010105", "", "20030210", "Y", "N", "Y", "N", "FX", "Y"};
  for (int i = 12; i <= 23; ++i) r.push_back("N");
  for (const char* s : {"Other service text", "Galaxy 3C", "95.0W", "N", "United  States"})
    r.push_back(s);
  r.insert(r.end(), {kNull, kNull});  // two of the fields no data set fills
  return r;
}

// The fields of Form312Row.
std::vector<std::string> Form312RowFields() {
  std::vector<std::string> names;
  for (const auto& rule : LoaderNamed("PopulateForm312Table").fields) names.push_back(rule.field);
  names.insert(names.end(), {"OperationStartDate", "DenialOfBenefitsSw"});
  return names;
}

std::vector<std::string> FxFields() {
  std::vector<std::string> f = {"77", "SES-MOD-1999", "Dec 31 1999", "PENDING", "CLEARED", ""};
  for (int i = 7; i <= 11; ++i) f.push_back(i % 2 ? "Y" : "N");
  f.push_back("VA");
  for (int i = 13; i <= 18; ++i) f.push_back("N");
  for (const char* s : {"120", "3", "  Broadcasting  "}) f.push_back(s);
  for (int i = 22; i <= 29; ++i) f.push_back("Y");
  return f;  // 29 fields
}

Row FxRow() {
  Row r = {77, "SES-MOD-1999", "19991231", "PENDING", "CLEARED", ""};
  for (int i = 7; i <= 11; ++i) r.push_back(i % 2 ? "Y" : "N");
  r.push_back("VA");
  for (int i = 13; i <= 18; ++i) r.push_back("N");
  r.insert(r.end(), {120, 3, "Broadcasting"});
  for (int i = 22; i <= 29; ++i) r.push_back("Y");
  return r;
}

// The fields with field k (1-based) replaced, or cut or extended to n.
std::vector<std::string> With(std::vector<std::string> f, std::size_t k, std::string value) {
  f[k - 1] = std::move(value);
  return f;
}
std::vector<std::string> Resized(std::vector<std::string> f, std::size_t n) {
  for (std::size_t i = f.size(); i < n; ++i) f.push_back("x" + std::to_string(i + 1));
  f.resize(n);
  return f;
}

TEST(FilingFormLoadersTest, ShowAndLogTheirSteps) {
  // Keeps its opening caption to the end.
  ExpectStepTexts({"PopulateForm312Table", 12, "form_312.dat",
                   "Populating 'Form312' table with  < ", "Populate Form 312 Table!", false},
                  Line(Form312Fields()), 1);
  ExpectStepTexts({"PopulateFxTable", 17, "fx.dat", "Populating 'Fx' table with  < ",
                   "Populate FX Table!"},
                  Line(FxFields()), 1);
  ExpectStepTexts({"PopulateLicenseeHistoryTable", 18, "licensee_history.dat",
                   "Populating 'Licensee History' table with  < ",
                   "Populate Licensee History Table!"},
                  "1|2|3|a|b|c|d|^|\n", 1);
}

TEST(FilingFormLoadersTest, StoreTheFormsAndRejectWhatDoesNotFit) {
  const auto form = Form312Fields();
  Row no_answer = Form312Row();
  no_answer[10] = "";  // EnvironEffectSw: the empty text, never Null
  const auto fx = FxFields();
  Row fx_extremes = FxRow();
  fx_extremes[18] = 0;
  fx_extremes[19] = -32768;

  const LoadCase cases[] = {
      {"form 312", "PopulateForm312Table", "form_312.dat", "DalkForm312",
       Line(form) +                                  // 1: 28 fields, whole
           Line(Resized(form, 40)) +                 // 2: the first 28 of 40
           Line(With(form, 11, "")) +                // 3
           Line(Resized(form, 27)) +                 // 4: too few
           Line(With(form, 6, " Y")) +               // 5: a blank makes it too long
           Line(With(form, 2, std::string(20, 'f'))) +  // 6
           Line(With(form, 25, std::string(21, 's'))) +  // 7
           Line(With(form, 5, "Foo 30 2001")) +      // 8: a date of nine characters
           Line(form),                               // 9: the same filing again
       {Form312Row(), Form312Row(), no_answer, Form312Row()},
       {4, 5, 6, 7, 8},
       Form312RowFields()},
      {"fx", "PopulateFxTable", "fx.dat", "DalkFx",
       Line(fx) +                                    // 1: 29 fields, whole
           Line(With(With(Resized(fx, 30), 29, "N"), 30, "Y")) +  // 2: N|Y is too long
           Line(With(fx, 12, "VA ")) +               // 3
           Line(With(fx, 20, "40000")) +             // 4: beyond an Integer
           Line(With(With(fx, 19, ""), 20, "-32768")) +  // 5
           Line(Resized(fx, 28)) +                   // 6: too few
           Line(With(fx, 19, "2147483648")),         // 7: beyond a Long
       {FxRow(), fx_extremes},
       {2, 3, 4, 6, 7}},
      {"licensee history", "PopulateLicenseeHistoryTable", "licensee_history.dat",
       "DalkLicenseeHistory",
       "12|7|88|ATTN LEGAL DEPT |555 0100| | |^|\n"
       " 13 | 8 | 89 |a|b|c|d|not|stored|^|\n"
       "14|8|89|a|b|c|^|\n"
       "15|8|89|" + std::string(81, 'a') + "|b|c|d|^|\n"
       "16|8|89|" + std::string(80, 'a') + "|" + std::string(25, 'p') + "|" +
           std::string(25, 'f') + "|" + std::string(40, 'e') + "|^|\n"
       "17|8|89|a|b|c|" + std::string(41, 'e') + "|^|\n"
       "18|8.5|89|a|b|c|d|^|\n",
       {{12, 7, 88, "ATTN LEGAL DEPT", "555 0100", "", ""},
        {13, 8, 89, "a", "b", "c", "d"},
        {16, 8, 89, std::string(80, 'a'), std::string(25, 'p'), std::string(25, 'f'),
         std::string(40, 'e')}},
       {3, 4, 6, 7}},
  };
  for (const LoadCase& c : cases) ExpectLoad(c);
}

}  // namespace
}  // namespace morvane::testing
