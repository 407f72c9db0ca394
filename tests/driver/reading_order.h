// The controls Tab must visit, derived from a table of the settings window's
// controls (ControlRow or the tests' own): every button and slider in reading
// order, by row and then by column. Without windows.h, for the unit tests too.
#pragma once

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <vector>

template <typename Rows>
std::vector<int> ReadingOrderRing(const Rows& rows) {
    std::vector<decltype(&*std::begin(rows))> focusable;
    for (const auto& row : rows)
        if (std::wcscmp(row.className, L"STATIC") != 0) focusable.push_back(&row);
    std::sort(focusable.begin(), focusable.end(),
              [](auto a, auto b) { return a->y != b->y ? a->y < b->y : a->x < b->x; });
    std::vector<int> ring;
    for (auto row : focusable) ring.push_back(row->id);
    return ring;
}
