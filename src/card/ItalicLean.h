#pragma once

// An italic text element leans past the width measured for its upright letters; the call
// sign is widened by this step so that its last letter is not cut.
namespace card {

constexpr int kItalicLeanStep = 18;

// The width an auto-sized text element needs: its measured upright width, plus the lean
// step when italic.
constexpr int widthWithLean(int uprightWidth, bool italic)
{
    return italic ? uprightWidth + kItalicLeanStep : uprightWidth;
}

} // namespace card
