#pragma once

#include "engine/core/Extended.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

// The six fields of one definition line, all text.
struct ListDef {
    std::string name;
    std::string created;  // date-time number: days since 1899-12-30, local time
    std::string modified; // of the last save of the items
    std::string count;    // number of items, decimal
    std::string path;     // the list's data file
    std::string preview;  // the first items joined by ","; may hold commas
};

// The data lists, one definition line per list:
// name,created,modified,count,path,preview. Kept sorted case-insensitively
// on the whole line; a line equal to one already there (ignoring case) is
// not added. Positions are how the pages and the choosers refer to a list.
class ListCatalog {
public:
    const std::vector<std::string>& lines() const { return lines_; }
    int size() const { return static_cast<int>(lines_.size()); }
    // Line i, or the empty text past the end.
    const std::string& line(int i) const;
    // Inserts `line` in its sorted place; its index, or -1 when an equal
    // line (ignoring case) is there and nothing was inserted.
    int insertSorted(std::string line);
    void erase(int i);
    void clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
};

// The fields of a line: trimmed, then fields 1..5 each split off at the next
// comma (a field with no comma left is empty and takes nothing); the rest is
// the preview. A line without a comma is all preview.
ListDef ParseListLn(std::string_view line);
// Line i parsed; past the end (or below 0) every field is empty.
ListDef ParseListN(const ListCatalog& catalog, int i);
// The line of `d`; an empty path becomes defaultListPath(folder, name).
std::string EncodeListLn(const ListDef& d, std::string_view folder);
// The catalog index of the list called `name` (ASCII case-insensitive, same
// length), or -1. Lines that are blank or hold no comma are skipped.
int FindListDefInListsTSL(const ListCatalog& catalog, std::string_view name);

// folder + "/list" + name + ".lst".
std::string defaultListPath(std::string_view folder, std::string_view name);
// Why `name` cannot name a list, or nothing when it can. A name becomes part
// of a file name and the first field of a comma-separated line, so a comma,
// a path separator, "..", a leading "." and control characters are refused.
std::optional<std::string> listNameProblem(std::string_view name);

// The items of a list file's text: one per line (CR LF, LF or CR), trimmed;
// blank lines are dropped.
std::vector<std::string> splitListItems(std::string_view text);
// The file text of `items`: each followed by CR LF.
std::string joinListItems(const std::vector<std::string>& items);
// The preview of `items`: joined by "," while it is shorter than 60 characters.
std::string listPreview(const std::vector<std::string>& items);

// The chooser text of line i: name + `blanks` blanks + "[" + count + "] " +
// preview, cut to `cut` characters + "..." when longer.
std::string listChooserText(const ListCatalog& catalog, int i, int blanks, std::size_t cut);
// The regression's choosers (five blanks, 45 characters).
std::vector<std::string> regrChooserTexts(const ListCatalog& catalog);

// A list item as a number: trimmed, "." completed to "0." / ".0" / "-0.",
// then the number text conversion. UndefinedMarker for empty text and text
// that is not a number.
Extended ParseListValue(std::string_view text);

// One line of text appended to a list: trimmed, then cut at its first blank,
// its first "," and its first ";" (the part before is kept). Nothing when
// the result is empty.
std::optional<std::string> appendedItem(std::string_view line);

// The built-in X lists: the integers from `first` (0 or 1), `n` of them, as text.
std::vector<std::string> integerListItems(int first, std::size_t n);

// The catalog side of saving one list: the line of `name` is replaced by
// one with `items`, their count and preview and `now` as modified time (its
// created time and path are kept). `error` is the internal error when the
// list is no longer in the catalog; otherwise `path` is where the items go.
struct ListSave {
    std::string error;
    std::string path;
    int index = -1;
};
ListSave saveListItems(ListCatalog& catalog, std::string_view name,
                       const std::vector<std::string>& items, double now, std::string_view folder);

// A new list called `name` (trimmed), created at `now`, with no items; the
// message for a name in use or one that cannot name a list.
struct ListCreate {
    std::string error;
    int index = -1;
    std::string name;
};
ListCreate createList(ListCatalog& catalog, std::string_view name, double now,
                      std::string_view folder);

// "4Dec26 3:07p": a date-time number written as day, short month, two-digit
// year, hour on the 12-hour clock, minutes and "a" or "p". Empty for text
// that is not a date-time number.
std::string listStampText(std::string_view dateTime);

// Messages of the list catalog and the list dialogs.
namespace listmsg {
inline constexpr const char* kLoadFailed =
    "Error reading Lists catalog - catalog initialized to empty.";
inline constexpr const char* kSaveFailed = "Error: unable to save new list definition to disk ??";
inline constexpr const char* kRefindEntry = "Internal Error: unable to re-find list def entry.";
inline constexpr const char* kRefindNew = "Internal Error: unable to refind list def.";
inline constexpr const char* kItemsNotSaved =
    "Error trying save list items to disk - data not saved.";
inline constexpr const char* kMultipleDelete = "Delete of multiple lists not supported.";
inline constexpr const char* kDeleteAsk =
    "Once Deleted, data of list will be LOST FOREVER - continue?";
inline constexpr const char* kDeleteSure = "Are you sure?";
inline constexpr const char* kNullLine = "Internal Error: null lists def line.";
inline constexpr const char* kBadFormat = "Internal Error: invalid list def format.";
inline constexpr const char* kNotFound = "Internal Error: unable to find list def for selected.";
std::string nameInUse(std::string_view name);
std::string readError(std::string_view name); // the editor could not read a list
std::string loadError(std::string_view name); // the regression could not read a list
std::string invalidItem(int k, std::string_view text);
std::string outsideFolder(std::string_view path);
} // namespace listmsg

} // namespace tallix
