#pragma once

#include <span>

// The category tree a new book starts with: the root, then each category
// directly after its parent, so that creating them in this order gives ids
// 1 ... 75 in list order.
struct DefaultCategory {
    const char* name;
    int depth;  // 0 for the root
};

std::span<const DefaultCategory> defaultCategories();
