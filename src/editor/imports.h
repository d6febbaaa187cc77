// Other programs' lists of folders read into a jump-list tree: a file
// manager's directory hot list (an INI file with a [DirMenu] section),
// another file manager's favourites (an XML file), and a plain text file of
// paths, one entry per line.
//
// Every reader places its nodes the same way (`TreeImport`), so entries keep
// the file's order, a group's end marker always follows its group head, and
// input that opens or closes groups out of balance still gives a sound tree.
// A file that cannot be read or understood leaves the tree as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/encoding.h"
#include "editor/jump_tree.h"

namespace pathorama::editor {

enum class FavoritesKind { TotalCommander, DirectoryOpus };

// "TotalCommander" or "DirectoryOpus", without regard to case.
std::optional<FavoritesKind> FavoritesKindFromName(std::u16string_view name);

// An encoding the user chose for a file instead of its detection. The code
// page counts for TextEncoding::Ansi only.
struct ImportEncoding {
  core::TextEncoding encoding = core::TextEncoding::Ansi;
  unsigned codePage = 0;
};

// A Windows code page number as an encoding: 65001 UTF-8, 1200 UTF-16LE,
// 1201 UTF-16BE, any other a code page for Ansi.
ImportEncoding ImportEncodingOfCodePage(unsigned codePage);

// The encodings a user may choose for a file to import, in the order the
// file dialogs list them: the detection first.
struct EncodingChoice {
  std::u16string_view caption;
  std::optional<ImportEncoding> encoding;  // none: detected
};
std::span<const EncodingChoice> ImportEncodingChoices();

// The text file chosen for "从文本文件导入", as the dialog gave it: blanks and
// backslashes at its end go.
std::u16string ImportFileName(std::u16string_view chosen);
// What the user is told when that file does not exist (the dialog then opens
// again).
std::u16string ImportFileNotFoundText(std::u16string_view name);
inline constexpr std::u16string_view kImportFileNotFoundCaption = u"文件不存在";

enum class ImportStatus {
  kOk,
  kNotFound,    // no such file: the tree is unchanged
  kUnreadable,  // the file could not be read: the tree is unchanged
  kNotParsed,   // the content is not what the reader expects: the tree is unchanged
};

struct ImportResult {
  ImportStatus status = ImportStatus::kOk;
  std::u16string message;  // for the user when status is not kOk
  size_t nodeCount = 0;    // the nodes of the tree afterwards
};

// Places imported nodes: the first node after a group head becomes its first
// child, every other node goes to the end of the current node's level.
// An end marker closes the innermost open group (it is put directly after
// the group head); one with no open group is dropped. Finish() closes the
// groups still open.
class TreeImport {
 public:
  explicit TreeImport(JumpTree& tree) : tree_(tree) {}
  // Adds a node with this text and path info ("<>" for none); the node, or
  // none for a dropped end marker or an empty text.
  std::optional<NodeId> Add(std::u16string_view text, std::u16string_view pathInfo);
  void Finish();

 private:
  JumpTree& tree_;
  std::optional<NodeId> current_;
};

// The two favourites readers (`ImportFavoritesFile`) over a file's bytes:
// the tree is emptied and filled, unless the bytes cannot be understood.
// Without `encoding` the text encoding is detected as for the settings file
// (the XML reader also honours a legacy encoding its declaration names).
ImportResult ImportFavoritesBytes(std::string_view bytes, FavoritesKind kind,
                                  std::optional<ImportEncoding> encoding, unsigned ansiCodePage,
                                  JumpTree& tree);
ImportResult ImportFavoritesFile(const std::u16string& file, FavoritesKind kind,
                                 std::optional<ImportEncoding> encoding, unsigned ansiCodePage,
                                 JumpTree& tree);

// The text reader (`ImportPathListText`): one entry per line, "caption TAB
// path info" or a path info alone (titled by its first path's file name
// without extension); "-caption" a group, "-" a separator, "--" the end of
// the current group.
ImportResult ImportPathListBytes(std::string_view bytes, std::optional<ImportEncoding> encoding,
                                 unsigned ansiCodePage, JumpTree& tree);
ImportResult ImportPathListText(const std::u16string& file, std::optional<ImportEncoding> encoding,
                                unsigned ansiCodePage, JumpTree& tree);

}  // namespace pathorama::editor
