#pragma once
// One list of member pairs between the document and a struct of its values: what a dialog
// edits, a view's copy of its settings, what an archive stores. The same list copies the values
// in, takes them back and holds each taken-back setting to its range in the settings table, so
// that no field is copied one way and forgotten the other. A field the caller takes back in a
// step of its own is marked so in the list.

#include "document/SettingsTable.h"

#include <cstddef>
#include <tuple>
#include <type_traits>

namespace kiv {

enum class TakeBack {
    Copied,  // as edited, then held to its setting's range
    OwnStep, // by the command, in a step of its own (only when it changed, only a valid slot, …)
    Never,   // handed out only: what a dialog shows or draws with, what an archive only stores
};

// A document field and the value that edits it: the same type, or a switch kept as bool.
template <class Doc, class D, class Values, class V>
struct FieldLink {
    static_assert(std::is_same_v<D, V> || (std::is_same_v<D, int> && std::is_same_v<V, bool>),
                  "a dialog edits a field in the document's own type");
    D Doc::*doc;
    V Values::*value;
    TakeBack back;
};

template <class Doc, class D, class Values, class V>
constexpr FieldLink<Doc, D, Values, V> link(D Doc::*doc, V Values::*value, TakeBack back = TakeBack::Copied)
{
    return {doc, value, back};
}

template <class Values, class... Links>
class FieldLinks {
public:
    constexpr explicit FieldLinks(Links... links) : links_(links...) {}

    static constexpr std::size_t size() { return sizeof...(Links); }

    // Every listed field as the document has it; the others as the struct initialises them.
    template <class Doc>
    Values in(const Doc& doc) const
    {
        Values values{};
        std::apply([&](const auto&... l) { (giveOut(l, doc, values), ...); }, links_);
        return values;
    }

    // The fields marked Copied back into the document, each in its setting's range.
    template <class Doc>
    void copyOut(const Values& values, Doc& doc) const
    {
        std::apply([&](const auto&... l) { (takeBack(l, values, doc), ...); }, links_);
    }

private:
    template <class Link, class Doc>
    static void giveOut(const Link& l, const Doc& doc, Values& values)
    {
        using Value = std::remove_cvref_t<decltype(values.*l.value)>;
        values.*l.value = static_cast<Value>(doc.*l.doc);
    }

    template <class Link, class Doc>
    static void takeBack(const Link& l, const Values& values, Doc& doc)
    {
        if (l.back != TakeBack::Copied)
            return;
        using Field = std::remove_cvref_t<decltype(doc.*l.doc)>;
        doc.*l.doc = static_cast<Field>(values.*l.value);
        if constexpr (std::is_constructible_v<SettingDef::Member, decltype(l.doc)>)
            clampSettings(doc, {SettingDef::Member(l.doc)});
    }

    std::tuple<Links...> links_;
};

// The list for a struct of values, from its links.
template <class Values, class... Links>
constexpr FieldLinks<Values, Links...> fieldLinks(Links... links)
{
    return FieldLinks<Values, Links...>(links...);
}

} // namespace kiv
