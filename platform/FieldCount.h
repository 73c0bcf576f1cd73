#pragma once
// The number of members of a plain aggregate, found by how many values brace-initialise it, so
// that a list naming the members one by one can be checked against the struct at compile time.

#include <cstddef>
#include <utility>

namespace kiv {

namespace fieldcount {

// Stands in for a value of any member's type; never called.
struct AnyMember {
    template <class T>
    operator T() const;
};

template <class T, std::size_t... I>
constexpr bool bracedFrom(std::index_sequence<I...>)
{
    return requires { T{(void(I), AnyMember{})...}; };
}

} // namespace fieldcount

template <class T, std::size_t N = 0>
constexpr std::size_t fieldCount()
{
    if constexpr (fieldcount::bracedFrom<T>(std::make_index_sequence<N + 1>{}))
        return fieldCount<T, N + 1>();
    else
        return N;
}

} // namespace kiv
