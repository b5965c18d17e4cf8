// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/picture_description.h"

#include <numeric>

namespace tarquel {

namespace {

// Few integrations are named one by one; more are summed up, so that the
// text stays short however long the window has been used.
constexpr std::size_t kNamedIntegrations = 3;
// A bound as typed, but never a paragraph.
constexpr std::size_t kLongestBound = 24;

std::string bound(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (text.size() <= kLongestBound)
        return std::string(text);
    // Cut on a character's first byte, so the UTF-8 stays whole.
    std::size_t cut = kLongestBound;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u)
        --cut;
    return std::string(text.substr(0, cut)) + "…";
}

} // namespace

void PictureDescription::redrawn(bool curve)
{
    curve_ = curve;
    integrations_.clear();
}

void PictureDescription::integrated(std::string_view lower, std::string_view upper, int boxes)
{
    if (boxes > 0)
        integrations_.push_back({bound(lower), bound(upper), boxes});
}

std::string PictureDescription::text() const
{
    std::string text = "좌표축: 가로 x는 -π부터 2π까지, 세로 y는 -π부터 π까지.";
    if (!curve_ && integrations_.empty())
        return text + " 그려진 것은 좌표축뿐입니다.";
    if (curve_)
        text += " 사인 곡선 y = sin x가 -π부터 2π까지 초록색으로 그려져 있습니다.";
    if (integrations_.size() <= kNamedIntegrations) {
        for (const Integration& i : integrations_)
            text += " " + i.lower + "부터 " + i.upper + "까지 적분한 파란 상자 " +
                    std::to_string(i.boxes) + "개가 그려져 있습니다.";
        return text;
    }
    const int boxes = std::accumulate(integrations_.begin(), integrations_.end(), 0,
                                      [](int sum, const Integration& i) { return sum + i.boxes; });
    const Integration& last = integrations_.back();
    return text + " 적분 " + std::to_string(integrations_.size()) + "번의 파란 상자 모두 " +
           std::to_string(boxes) + "개가 그려져 있습니다. 마지막 구간은 " + last.lower + "부터 " +
           last.upper + "까지입니다.";
}

} // namespace tarquel
