// Program-wide configuration: every key of the profile file beside the
// executable, with its default. Written once by start-up on the main thread
// before the engine thread exists; read-only afterwards.
#pragma once

#include <array>
#include <string>

namespace morvi {

struct Configuration {
  // [Engine] evaluation weights, each a shift count.
  int NormalizeS = 10;
  int MaterialFactorS = 10;
  int RandomFactorS = 9;
  int PosPawnFactorS = 8;
  int PosBishopFactorS = 8;
  int PosKnightFactorS = 8;
  int PosRookFactorS = 8;
  int PosKingFactorS = 8;
  int TwoBishopFactorS = 10;
  int RatioFactorS = 10;
  int RookPairFactorS = 10;
  int CastlesFactorS = 10;  // profile key "CastlesFactorS " (with a trailing blank)
  int BishopTrapFactorS = 10;
  int KnightOutpostFactorS = 10;
  int BishopOutpostFactorS = 10;
  int DevFactorS = 10;
  int KnightMobFactorS = 10;  // read, not used
  int BishopMobFactorS = 10;  // read, not used
  int RookMobFactorS = 10;    // read, not used
  int QueenMobFactorS = 10;   // read, not used
  int KingAttackFactorS = 10;
  int HotSpotFactorS = 10;
  int SoloQueenFactorS = 10;
  // [GameStage]
  int OpeningCount = 7;
  int EarlyEndingCount = 20 * 1024;  // stored times 1024
  int LateEndingCount = 12 * 1024;   // stored times 1024
  // [Search]
  int NullDepthStart = 0;
  int NullDepthEnd = 3;
  int FastEvalDepth = -4;
  int MediumEvalDepth = -2;
  int QSkipMargin = 512;
  int AspirationWindow = 1024;
  int OppTimeAdv = 1;

  // Text keys and derived paths.
  std::string exeDirectory;  // ends in '/'
  std::string exeBaseName;   // file name without extension
  std::string debugFile;     // [Main] DebugFile
  std::string bookPath;      // exe directory + ([Main] Book or base name + ".book")
};

// The one configuration of the process.
extern Configuration config;

}  // namespace morvi
