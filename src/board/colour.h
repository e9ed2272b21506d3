// The colour of a side, of a piece and of a square's occupant (kNone for an
// empty or off-board square), and the White/Black pair that the position and
// the evaluation keep one value of per side in. A colour keeps its number
// (White 0, Black 1, none 6) wherever it is stored in a word or shown.
#pragma once

namespace morvi {

enum class Colour : int { kWhite = 0, kBlack = 1, kNone = 6 };

// Both sides, White first: the order of every loop over the two colours.
constexpr Colour kColours[2] = {Colour::kWhite, Colour::kBlack};

// The other side (Black for White and the reverse).
constexpr Colour Opponent(Colour c) { return static_cast<Colour>(static_cast<int>(c) ^ 1); }

// The index of a side's entry in a White/Black pair (0 White, 1 Black).
constexpr int Index(Colour c) { return static_cast<int>(c); }

// The colour as the number that stands for it in a stored word or a text
// (0, 1, 6), and back; any number converts, as the word was stored.
constexpr int ColourNumber(Colour c) { return static_cast<int>(c); }
constexpr Colour ColourFromNumber(int number) { return static_cast<Colour>(number); }

// One T for each side, indexed by its colour; laid out as T[2], White first.
template <typename T>
struct ByColour {
  T side[2];

  constexpr T& operator[](Colour c) { return side[Index(c)]; }
  constexpr const T& operator[](Colour c) const { return side[Index(c)]; }
};

}  // namespace morvi
