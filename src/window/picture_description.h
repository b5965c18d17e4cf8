// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarquel {

// The text equivalent of the picture, for screen readers: in the window's
// language, short and factual, saying what is drawn now. The window tells
// it what each command left on the picture; it knows no toolkit.
class PictureDescription {
public:
    // Display erased the drawings; with `curve`, it drew the sine curve.
    void redrawn(bool curve);
    // Integrate drew `boxes` boxes for the typed bounds (fewer than all of
    // them when it failed part-way).
    void integrated(std::string_view lower, std::string_view upper, int boxes);

    [[nodiscard]] std::string text() const;

    // The drawing area's accessible name.
    static constexpr std::string_view kName = "그래프";

private:
    struct Integration {
        std::string lower;
        std::string upper;
        int boxes;
    };
    bool curve_ = false;
    std::vector<Integration> integrations_;
};

} // namespace tarquel
