#pragma once

#include "main/Icons.h"

#include "contracts/IDatabaseManager.h"
#include "contracts/IWindowLoader.h"

#include <QString>
#include <Qt>

#include <cstdint>
#include <span>

namespace amb::ambrel {

// The record kinds of the record list.
enum class RecordKind { None, Persons, Families, Groups, Expenses, Offerings };

// The search box a node shows on the search band; after None, in the order of the search types
// (0 text, 1 group type, 2 date range).
enum class SearchBox { None, Text, GroupType, DateRange };

// The recent-search list a node's text search adds to.
enum class RecentSearches { None, Persons, Families };

// A column of the record list: caption text, designed width in pixels, alignment.
struct ColumnSpec {
    int32_t textId;
    int widthPixels;
    Qt::Alignment alignment;
};

// What the commands do with a selected row of a kind.
struct KindCommands {
    int32_t (*open)(IWindowLoader&, int32_t);
    int32_t (*remove)(IDatabaseManager&, int32_t);
    const char* reportName; // nullptr: Print is never enabled
};

// One node of the record-kind tree and everything that follows from choosing it. The rows are in
// the order the tree adds them; the root and the two parent nodes only group the kinds, and a click
// on them chooses `clickTarget`.
struct NodeSpec {
    const char* key;
    const char* parent = nullptr;   // nullptr: the root
    int32_t textId;                 // 0: the hub's CompanyName
    const char* countKey = nullptr; // the record count shown after the text, nullptr: none
    TreeImage image;
    bool expanded = false;
    bool measured = false;             // its text width sets the tree's width
    const char* clickTarget = nullptr; // nullptr: the node itself
    SearchBox searchBox;
    RecentSearches recent = RecentSearches::None;
    RecordKind listKind; // what a search lists
    std::span<const ColumnSpec> columns = {};
    const KindCommands* commands = nullptr; // nullptr: no record commands
};

std::span<const NodeSpec> RecordNodes();
// The search type of a node's search box: 0 text, 1 group type, 2 date range.
inline int32_t SearchType(SearchBox box) {
    return box == SearchBox::None ? 0 : static_cast<int32_t>(box) - 1;
}
// The row of a node key; nullptr for a key the tree does not have (the empty key too).
const NodeSpec* NodeOf(const QString& key);
// The picture of a list row of a kind.
TreeImage RowImage(RecordKind kind);

} // namespace amb::ambrel
