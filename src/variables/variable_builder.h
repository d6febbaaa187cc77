// The variable builder's decisions: which option areas a variable has, the
// expression its controls' state composes, the free-text fields that would
// break that expression, and how the value may be previewed. The dialog only
// reads its controls into a BuilderState and shows what comes back.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"

namespace pathorama::variables {

// The units of the "时日增减" boxes, in the order they are written.
enum class OffsetUnit { Year, Month, Week, Day, Hour, Minute, Second, Quarter };
inline constexpr size_t kOffsetUnits = 8;

// The parts of "仅提取：", in the order they are written.
enum class DatePart { Year, Month, Day, Hour, Minute, Second };
inline constexpr size_t kDateParts = 6;

// The words of "转换为：".
enum class DateWord { Chinese, ChineseEra, Zodiac, English, ShortEnglish };

struct DateOptions {
  std::array<int, kOffsetUnits> offsets{};
  enum class Param { None, Given, Preset } param = Param::None;
  core::CalendarDate given{};
  enum class Format { None, Parts, Word } format = Format::None;
  std::array<bool, kDateParts> parts{};
  std::array<bool, kDateParts> twoDigits{true, true, true, true, true, true};  // "0" blue
  bool fourDigitYear = true;
  bool useConnector = false;
  std::u16string connector;
  DateWord word = DateWord::Chinese;
  // "表达式" checked: this text is the date part as typed.
  std::optional<std::u16string> typed;
};

// `MonthDays` and `WeekDays`.
struct DayListOptions {
  // "本月/本周", "指定年度及月份/周次", "指定年月日" (weeks), "今年指定月份/周次",
  // "N 个月/星期前/后".
  enum class Period { Current, YearAndNumber, GivenDate, NumberThisYear, Relative };
  Period period = Period::Current;
  int year = 0, number = 1, relative = 0;
  core::CalendarDate given{};
  std::array<bool, 7> weekdays{};  // 周一 … 周日
  bool hideChosen = false;         // "不显示以下日期"
  std::optional<int> format;       // index into DayListFormats()
};

// An end of a range: a number, or the N-th occurrence of a text.
struct RangeEnd {
  int number = 1;
  bool byText = false;
  int occurrence = 1;
  std::u16string text;
  bool regex = false;       // "正" red
  bool ignoreCase = false;  // "不区分大小写"
};
enum class RangeStop { ToEnd, End, Count };
struct RangeOptions {
  bool enabled = false;
  RangeEnd start;
  RangeStop stop = RangeStop::ToEnd;
  RangeEnd end;
  int count = 1;
  bool remove = false;  // delete the range instead of keeping it
};

struct FolderOptions {
  enum class Layer { Nth, Before, After } layer = Layer::Nth;  // `NFolder`
  int n = 1;
  RangeOptions layers;  // path names: "提取指定的文件夹层级"
};

struct SequenceOptions {
  int start = 1;
  bool byCount = false;  // the button shows "数量" instead of "结束值"
  int endOrCount = 10;
  int step = 1;
  bool useLength = false;  // "数值长度", `Number` only
  int length = 1;
};

struct RestructureOptions {
  bool enabled = false;
  std::u16string delimiter;
  bool delimiterRegex = false;       // "正" blue
  bool delimiterIgnoreCase = false;  // "Aa" grey
  bool everyCharacter = false;       // "把每个字符都作为分隔符"
  bool connectorMode = true;         // else replacement mode
  std::u16string connector;
  std::u16string sections;
  std::u16string replacement;
  std::u16string deletion;  // "从结果中删除该字符串"
  bool deletionRegex = false;
  bool deletionIgnoreCase = false;
  bool deletionEveryCharacter = false;  // "删除列出的每一个字符"
};

struct GroupingOptions {
  bool enabled = false;
  int size = 2;
  bool separate = false;  // "并在分组间插入该字符串"
  std::u16string separator;
};

struct BuilderState {
  std::u16string name;  // the current variable, with a date of its own when it has one
  DateOptions date;
  DayListOptions dayList;
  FolderOptions folder;
  SequenceOptions sequence;
  RangeOptions extract;  // step 1
  RestructureOptions restructure;
  GroupingOptions grouping;
};

// What a variable enables.
struct BuilderAreas {
  bool datePage = false;
  bool dayList = false;
  bool weekList = false;  // the day list counts weeks
  std::array<bool, kOffsetUnits> offsets{};
  bool dateFormat = false;  // "仅提取：" parts
  std::array<bool, kDateParts> formatParts{};
  bool dateWords = false;  // any of `words`
  std::array<bool, 5> words{};  // by DateWord
  bool dateParam = false;
  bool folderPage = false;
  bool layerNumber = false;  // `NFolder`'s three choices
  bool pathLayers = false;   // the layer range of a path name
  bool runKeyLayers = false;  // the check box reads "提取指定的路径层级"
  bool sequencePage = false;
  bool sequenceLength = false;
  int sequenceLimit = 0;  // the largest value a box takes; 0 unlimited
  bool steps = false;     // steps 1 and 2
  bool grouping = false;
};
BuilderAreas AreasOf(std::u16string_view name);

// The body of the dialog's variable: the text of a menu caption between "{"
// and "}", with "<8位数字年月日>" replaced by `today`.
std::u16string VariableOfCaption(std::u16string_view caption, core::CalendarDate today);

// The state with every control reset for `name` (`SetCtlsStatusByVar`).
BuilderState StateFor(std::u16string_view name);

// "{" body "}" for the controls' state; only the areas that `AreasOf` gives
// the name are read.
std::u16string ComposeExpression(const BuilderState& state);

// The date part the date page's controls build (what "表达式" shows while
// unchecked); empty for a variable without the date page.
std::u16string BuiltDatePart(const BuilderState& state);

// The free-text fields whose text would break the expression.
enum class BuilderField {
  DateConnector,
  DateTyped,
  LayerStartText,
  LayerEndText,
  ExtractStartText,
  ExtractEndText,
  Delimiter,
  Connector,
  Sections,
  Replacement,
  Deletion,
  GroupSeparator,
};
std::vector<BuilderField> BadFields(const BuilderState& state);

// The formats of "日期格式" of the day lists.
const std::vector<std::u16string>& DayListFormats();

// How the value label may show the expression's value.
enum class PreviewKind {
  Expand,         // expand at every change
  ByPosition,     // the value depends on where the variable stands
  OtherProgram,   // asks another program: once per choice of variable
};
PreviewKind PreviewKindOf(std::u16string_view name);
// "变量 {" name "} 的值由它所处的位置决定，此处暂时无法获取"
std::u16string PositionMessage(std::u16string_view name);

}  // namespace pathorama::variables
