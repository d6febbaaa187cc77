#include "editor/imports.h"

#include <pugixml.hpp>
#include <vector>

#include "core/file_io.h"
#include "core/ini.h"
#include "core/text.h"

namespace pathorama::editor {
namespace {

// ---- decoding -------------------------------------------------------------------------------

// Code pages an XML declaration may name for a legacy encoding (the XML
// parser itself knows only the Unicode ones).
unsigned CodePageOfEncodingName(std::u16string_view name) {
  struct Known {
    std::u16string_view name;
    unsigned codePage;
  };
  static constexpr Known kKnown[] = {
      {u"gb2312", 936}, {u"gbk", 936},          {u"gb18030", 936},   {u"cp936", 936},
      {u"big5", 950},   {u"shift_jis", 932},    {u"shift-jis", 932}, {u"sjis", 932},
      {u"euc-kr", 949}, {u"iso-8859-1", 28591}, {u"latin1", 28591},
  };
  for (const Known& known : kKnown)
    if (core::EqualsIgnoreCase(name, known.name)) return known.codePage;
  if (core::StartsWithIgnoreCase(name, u"windows-")) {
    if (std::optional<long long> number = core::ParseInt(name.substr(8));
        number && *number > 0 && *number < 65536)
      return static_cast<unsigned>(*number);
  }
  return 0;
}

// The encoding named in an XML declaration at the start of `bytes` ("" for
// none); only ASCII bytes matter there.
std::u16string DeclaredXmlEncoding(std::string_view bytes) {
  const std::string_view head = bytes.substr(0, 200);
  if (head.substr(0, 5) != "<?xml") return u"";
  const size_t end = head.find("?>");
  const std::string_view declaration = head.substr(0, end);
  const size_t key = declaration.find("encoding");
  if (key == std::string_view::npos) return u"";
  size_t at = declaration.find_first_of("\"'", key);
  if (at == std::string_view::npos) return u"";
  const size_t close = declaration.find(declaration[at], at + 1);
  if (close == std::string_view::npos) return u"";
  return core::Utf8ToUtf16(declaration.substr(at + 1, close - at - 1));
}

std::u16string Decode(std::string_view bytes, std::optional<ImportEncoding> chosen,
                      unsigned ansiCodePage, unsigned declaredCodePage = 0) {
  if (chosen)
    return core::DecodeText(bytes, chosen->encoding,
                            chosen->codePage ? chosen->codePage : ansiCodePage);
  const core::TextEncoding detected = core::DetectTextEncoding(bytes);
  return core::DecodeText(bytes, detected, declaredCodePage ? declaredCodePage : ansiCodePage);
}

// ---- shared ---------------------------------------------------------------------------------

ImportResult Failed(ImportStatus status, std::u16string message) {
  ImportResult result;
  result.status = status;
  result.message = std::move(message);
  return result;
}

ImportResult Done(const JumpTree& tree) {
  ImportResult result;
  result.nodeCount = tree.Size();
  return result;
}

// A file's bytes, or why there are none.
std::optional<ImportResult> ReadFailure(const std::u16string& file, core::FileBytes& read) {
  if (!core::FileExists(file)) return Failed(ImportStatus::kNotFound, u"文件不存在：" + file);
  read = core::ReadFileBytes(file);
  if (read.status != core::FileStatus::kOk)
    return Failed(ImportStatus::kUnreadable,
                  u"无法读取文件：" + file + u"（" + core::FileStatusText(read.status) + u"）");
  return std::nullopt;
}

// The part after the last "\" or ":", without its extension.
std::u16string FileTitle(std::u16string_view text) {
  const size_t slash = text.find_last_of(u"\\:");
  std::u16string_view name = slash == std::u16string_view::npos ? text : text.substr(slash + 1);
  const size_t dot = name.rfind(u'.');
  if (dot != std::u16string_view::npos) name = name.substr(0, dot);
  return std::u16string(name);
}

// Trims `chars` from both ends, except that the two backslashes that begin a
// network path (\\server\share) stay.
std::u16string TrimKeepingNetworkPrefix(std::u16string_view text, std::u16string_view chars) {
  std::u16string trimmed = core::TrimCharsRight(core::TrimCharsLeft(text, u" \t"), chars);
  if (trimmed.size() > 2 && trimmed.starts_with(u"\\\\") && trimmed[2] != u'\\') return trimmed;
  return core::TrimCharsLeft(trimmed, chars);
}

// ---- the hot list ---------------------------------------------------------------------------

ImportResult ImportHotList(const std::u16string& text, JumpTree& tree) {
  const core::IniDocument doc = core::IniDocument::Parse(text);
  const core::IniSection* section = doc.FindSection(u"DirMenu");
  if (!section)
    return Failed(ImportStatus::kNotParsed, u"文件中没有 [DirMenu] 节，不是目录热键列表");
  tree.Clear();
  TreeImport import(tree);
  std::optional<NodeId> lastMenu;
  for (const core::IniEntry& entry : section->Entries()) {
    if (!entry.HasValue()) continue;
    if (core::StartsWithIgnoreCase(entry.Key(), u"menu")) {
      lastMenu = import.Add(std::u16string(entry.Value()), kNoPathInfo);
    } else if (core::StartsWithIgnoreCase(entry.Key(), u"cmd") &&
               core::StartsWithIgnoreCase(entry.Value(), u"cd") && lastMenu &&
               entry.Value().size() > 3) {
      // "cd" and one separating character, then the folder.
      const std::u16string path = TrimKeepingNetworkPrefix(entry.Value().substr(3), u" \t\\");
      if (!path.empty()) tree.SetPathInfo(*lastMenu, path);
    }
  }
  import.Finish();
  return Done(tree);
}

// ---- the favourites XML ---------------------------------------------------------------------

bool NameIs(const char* name, std::string_view want) {
  size_t i = 0;
  for (; name[i] && i < want.size(); ++i) {
    char c = name[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != want[i]) return false;
  }
  return !name[i] && i == want.size();
}

// The text at the end of the first-child chain below `element`, when it
// stands in a "pathstring" or "pidl" element.
std::u16string PathOfElement(pugi::xml_node element) {
  pugi::xml_node innermost = element;
  while (pugi::xml_node child = innermost.first_child()) innermost = child;
  if (innermost == element || innermost.type() != pugi::node_pcdata) return u"";
  const pugi::xml_node parent = innermost.parent();
  if (!NameIs(parent.name(), "pathstring") && !NameIs(parent.name(), "pidl")) return u"";
  return core::TrimChars(CleanPathInfo(core::Utf8ToUtf16(innermost.value())), u" \t");
}

// A label as a caption that keeps the node's kind: a leading "-" would turn
// an entry into a group head, separator or end marker, so it goes; nothing
// left gives the path's own name.
std::u16string EntryCaption(std::u16string_view label, const std::u16string& path) {
  std::u16string caption = core::TrimCharsLeft(CleanNodeText(label), u"-");
  if (!core::TrimChars(caption, u" ").empty()) return caption;
  caption = CleanNodeText(FileTitle(core::TrimCharsRight(path, u"\\")));
  if (!core::TrimChars(caption, u" -").empty() && caption[0] != u'-') return caption;
  return path.empty() || path[0] == u'-' ? u"未命名" : CleanNodeText(path);
}

// A folder's group head: "-" and its label, unless that would read as a
// separator or end marker.
std::u16string GroupText(std::u16string_view label) {
  const std::u16string caption = CleanNodeText(label);
  if (core::TrimChars(caption, u"- ").empty()) return u"-未命名分组";
  return u"-" + caption;
}

ImportResult ImportFavoritesXml(std::string_view bytes, std::optional<ImportEncoding> encoding,
                                unsigned ansiCodePage, JumpTree& tree) {
  const std::u16string text =
      Decode(bytes, encoding, ansiCodePage, CodePageOfEncodingName(DeclaredXmlEncoding(bytes)));
  const std::string utf8 = core::Utf16ToUtf8(text);
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed =
      doc.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!parsed)
    return Failed(ImportStatus::kNotParsed,
                  u"无法解析收藏夹文件（XML）：" + core::Utf8ToUtf16(parsed.description()));
  const pugi::xml_node root = doc.document_element();
  if (!root) return Failed(ImportStatus::kNotParsed, u"收藏夹文件（XML）中没有任何元素");

  tree.Clear();
  TreeImport import(tree);
  // Folders are walked without recursion: each open folder leaves the
  // element to go on with after it.
  std::vector<pugi::xml_node> resume;
  pugi::xml_node node = root.first_child();
  for (;;) {
    while (!node && !resume.empty()) {
      import.Add(kEndMarkerText, kNoPathInfo);
      node = resume.back();
      resume.pop_back();
    }
    if (!node) break;
    if (node.type() == pugi::node_element) {
      const pugi::xml_attribute label = node.attribute("label");
      if (label && NameIs(node.name(), "folder")) {
        import.Add(GroupText(core::Utf8ToUtf16(label.value())), kNoPathInfo);
        resume.push_back(node.next_sibling());
        node = node.first_child();
        continue;
      }
      if (label && NameIs(node.name(), "path")) {
        const std::u16string path = PathOfElement(node);
        import.Add(EntryCaption(core::Utf8ToUtf16(label.value()), path),
                   path.empty() ? kNoPathInfo : std::u16string_view(path));
      }
    }
    node = node.next_sibling();
  }
  import.Finish();
  return Done(tree);
}

// ---- the text file --------------------------------------------------------------------------

constexpr std::u16string_view kTagsInCaptions[] = {u"<LocalPath>", u"<Url>", u"<RegPath>",
                                                   u"<SharedFolder>", u"<NetworkMappingFolder>"};

// A caption from a line (or a path info) without a tab: its first path's
// file name without extension, without type tags.
std::u16string CaptionOfPathText(std::u16string_view text) {
  const size_t bar = text.find(u'|');
  std::u16string caption = core::TrimCharsLeft(
      bar == std::u16string_view::npos ? text : text.substr(0, bar + 1), u" \\/|");
  caption = FileTitle(caption);
  for (std::u16string_view tag : kTagsInCaptions) {
    const size_t at = core::FindIgnoreCase(caption, tag);
    if (at != std::u16string::npos) caption.erase(at, tag.size());
  }
  return caption;
}

void ImportTextLine(std::u16string_view line, TreeImport& import) {
  // A tab at the end still counts: "-caption TAB" is a group head whose
  // caption is kept as written.
  const std::u16string t = TrimKeepingNetworkPrefix(core::TrimCharsLeft(line, u"\t"), u" \\/|");
  if (core::TrimChars(t, u"\t").empty()) return;
  std::u16string caption, path;
  if (const size_t tab = t.find(u'\t'); tab != std::u16string::npos) {
    caption = t.substr(0, tab);
    path = t.substr(tab + 1);
  } else {
    path = t[0] == u'-' ? std::u16string(kNoPathInfo) : t;
    caption = CaptionOfPathText(t);
  }
  caption = core::TrimChars(caption, u" *\\/|\t");
  path = TrimKeepingNetworkPrefix(path, u" \\/|\t");
  if (caption.empty() && path.empty()) return;
  if (path.empty()) path = caption[0] == u'-' ? std::u16string(kNoPathInfo) : caption;
  if (caption.empty()) caption = core::TrimChars(CaptionOfPathText(path), u" *\\/|\t");
  // A path whose name is nothing (a drive root) is its own caption, or the
  // entry would be lost at the next load.
  if (caption.empty()) caption = path;
  import.Add(caption, path);
}

}  // namespace

// ---- placement ------------------------------------------------------------------------------

std::optional<NodeId> TreeImport::Add(std::u16string_view text, std::u16string_view pathInfo) {
  const std::u16string clean = CleanNodeText(text);
  // An entry without caption would be dropped by the next load anyway.
  if (clean.empty()) return std::nullopt;
  const NodeKind kind = NodeKindOf(clean);
  const bool atOpenGroup = current_ && tree_.Kind(*current_) == NodeKind::GroupHead;
  if (kind == NodeKind::EndMarker) {
    const std::optional<NodeId> group =
        atOpenGroup ? current_ : (current_ ? tree_.Parent(*current_) : std::nullopt);
    if (!group) return std::nullopt;
    current_ = tree_.Insert(Place::After(*group), kEndMarkerText,
                            NodeRecord{tree_.FreshRecordId(), std::u16string(kNoPathInfo)});
    return current_;
  }
  const Place place = atOpenGroup
                          ? Place::FirstChildOf(current_)
                          : Place::LastChildOf(current_ ? tree_.Parent(*current_) : std::nullopt);
  // Blanks around a path mean nothing, and the settings file would lose them.
  std::u16string path = core::TrimChars(CleanPathInfo(pathInfo), u" \t");
  if (kind == NodeKind::Separator || path.empty()) path = kNoPathInfo;
  current_ = tree_.Insert(place, clean, NodeRecord{tree_.FreshRecordId(), path});
  // Shown open, as the editor shows the groups of the list it opens.
  if (kind == NodeKind::GroupHead) tree_.SetExpanded(*current_, true);
  return current_;
}

void TreeImport::Finish() {
  while (current_ &&
         (tree_.Kind(*current_) == NodeKind::GroupHead || tree_.Parent(*current_).has_value()))
    Add(kEndMarkerText, kNoPathInfo);
}

// ---- entry points ---------------------------------------------------------------------------

std::optional<FavoritesKind> FavoritesKindFromName(std::u16string_view name) {
  if (core::EqualsIgnoreCase(name, u"TotalCommander")) return FavoritesKind::TotalCommander;
  if (core::EqualsIgnoreCase(name, u"DirectoryOpus")) return FavoritesKind::DirectoryOpus;
  return std::nullopt;
}

std::span<const EncodingChoice> ImportEncodingChoices() {
  static const EncodingChoice kChoices[] = {
      {u"自动检测", std::nullopt},
      {u"ANSI", ImportEncoding{core::TextEncoding::Ansi, 0}},
      {u"UTF-8", ImportEncoding{core::TextEncoding::Utf8, 0}},
      {u"UTF-16 LE", ImportEncoding{core::TextEncoding::Utf16LE, 0}},
      {u"UTF-16 BE", ImportEncoding{core::TextEncoding::Utf16BE, 0}},
  };
  return kChoices;
}

std::u16string ImportFileName(std::u16string_view chosen) {
  return core::TrimCharsRight(chosen, u" \\");
}

std::u16string ImportFileNotFoundText(std::u16string_view name) {
  return u"没有检测到以下文件，请重新选择\r\r" + std::u16string(name);
}

ImportEncoding ImportEncodingOfCodePage(unsigned codePage) {
  switch (codePage) {
    case 65001:
      return {core::TextEncoding::Utf8, 0};
    case 1200:
      return {core::TextEncoding::Utf16LE, 0};
    case 1201:
      return {core::TextEncoding::Utf16BE, 0};
    default:
      return {core::TextEncoding::Ansi, codePage};
  }
}

ImportResult ImportFavoritesBytes(std::string_view bytes, FavoritesKind kind,
                                  std::optional<ImportEncoding> encoding, unsigned ansiCodePage,
                                  JumpTree& tree) {
  if (kind == FavoritesKind::DirectoryOpus)
    return ImportFavoritesXml(bytes, encoding, ansiCodePage, tree);
  return ImportHotList(Decode(bytes, encoding, ansiCodePage), tree);
}

ImportResult ImportFavoritesFile(const std::u16string& file, FavoritesKind kind,
                                 std::optional<ImportEncoding> encoding, unsigned ansiCodePage,
                                 JumpTree& tree) {
  core::FileBytes read;
  if (std::optional<ImportResult> failure = ReadFailure(file, read)) return *failure;
  return ImportFavoritesBytes(read.bytes, kind, encoding, ansiCodePage, tree);
}

ImportResult ImportPathListBytes(std::string_view bytes, std::optional<ImportEncoding> encoding,
                                 unsigned ansiCodePage, JumpTree& tree) {
  const std::u16string text = Decode(bytes, encoding, ansiCodePage);
  tree.Clear();
  TreeImport import(tree);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string::npos) end = text.size();
    ImportTextLine(std::u16string_view(text).substr(start, end - start), import);
    if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
      ++end;
    start = end + 1;
  }
  import.Finish();
  return Done(tree);
}

ImportResult ImportPathListText(const std::u16string& file, std::optional<ImportEncoding> encoding,
                                unsigned ansiCodePage, JumpTree& tree) {
  core::FileBytes read;
  if (std::optional<ImportResult> failure = ReadFailure(file, read)) return *failure;
  return ImportPathListBytes(read.bytes, encoding, ansiCodePage, tree);
}

}  // namespace pathorama::editor
