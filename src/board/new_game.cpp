// Setting up the initial position: at program start (construction of the
// one position) and for every new game.
#include <cstring>

#include "board/geometry.h"
#include "board/position.h"
#include "board/repetition_claim.h"
#include "base/clock.h"
#include "base/random.h"

namespace morvi {
namespace {

constexpr int kStartStageMaterial = 39000;

// Steps shared by construction and NewGame: the initial board and piece list,
// the material-ratio table, the rule state, empty archive and repetition list.
void SetInitialPosition(Position& pos) {
  for (int s = 0; s <= 64; ++s) {
    pos.SquareColour[s] = InitialSquareColour(s);
    pos.SquarePiece[s] = InitialSquarePiece[s];
    pos.PieceArIndex[s] = InitialPieceArIndex[s];
  }
  for (int i = 0; i < 32; ++i) pos.PieceAr[i] = InitialPieceAr[i];
  for (int w = 0; w < 40; ++w) {
    for (int b = 0; b < 40; ++b) {
      pos.RatioTable[w][b] = b == w ? 0 : (b < w ? 64 * (40 - w) : 64 * (w - 39));
    }
  }
  pos.DarkEnd = 32;
  pos.LightStart = 0;
  pos.DarkStart = 16;
  pos.SideToMove = Colour::kWhite;
  pos.CastleBits = kWhiteKingSide | kWhiteQueenSide | kBlackKingSide | kBlackQueenSide;
  pos.EpSquare = -1;
  pos.FiftyCount = 0;
  pos.ArchiveCount = 0;
  pos.RepeatCount = 0;
  pos.eval.stageMaterial[Colour::kWhite] = kStartStageMaterial;
  pos.eval.stageMaterial[Colour::kBlack] = kStartStageMaterial;
  pos.RefreshKey();
}

}  // namespace

Position::Position() {
  std::memset(static_cast<void*>(this), 0, sizeof *this);
  SetInitialPosition(*this);
  // Archive entry 0, as ArchivePush records it for the empty move; the book
  // is left alone here, since its text is emptied when it is loaded anyway.
  Archive[0][0] = 0;
  StorePosition(Archive[0]);
  ArchiveKeys[0] = ClaimKey(*this);
  ArchiveCount = 1;
}

void Position::NewGame() {
  SetInitialPosition(*this);
  ArchivePush(MakeMoveWord(0, 0, 0, 0));
  SeedRandom(static_cast<unsigned>(CalendarSeconds()));
}

}  // namespace morvi
