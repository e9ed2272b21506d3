// Program-wide configuration: every key of the profile file beside the
// executable, with its default. Written by start-up on the main thread
// before the engine thread exists; afterwards only the engine thread touches
// it (a UCI "setoption" changes a key there).
#pragma once

#include <array>
#include <string>

namespace morvi {

// The strength levels' scale (UCI_Elo): the lowest level, and the highest,
// which is the full search's own measured strength and plays it unchanged.
constexpr int kLowestElo = 500;
constexpr int kHighestElo = 2000;

struct Configuration {
  // [Engine] evaluation weights, each a shift count.
  int NormalizeS = 10;
  int MaterialFactorS = 10;
  int RandomFactorS = 9;
  int RandomTerm = 0;  // 1: the random term is on from the start (protocol 1's "random" toggles it)
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
  int Hash = -1;  // transposition table in megabytes; 0: none; -1: by dialect (none, or 16 MB in UCI and protocol 2)
  int Threads = 1;  // threads of the full search, the engine's own included
  int MultiPV = 1;  // lines the full search shows at once
  // [Strength] (also the options UCI_LimitStrength and UCI_Elo)
  int LimitStrength = 0;    // 1: the full search plays at the level Elo
  int Elo = kHighestElo;    // the level, kLowestElo .. kHighestElo

  // Text keys and derived paths.
  std::string exeDirectory;  // ends in '/'
  std::string exeBaseName;   // file name without extension
  std::string debugFile;     // [Main] DebugFile
  std::string bookPath;      // exe directory + ([Main] Book or base name + ".book")
  std::string search;        // [Search] Search: "classic", "full", or empty (by dialect)
};

// The one configuration of the process.
extern Configuration config;

class ProfileFile;

// One integer key of the profile: where it is, its default as written in the
// file, whether it is stored times 1024, and whether anything uses it (the
// mobility factors are read and kept, but no term of the evaluation has them,
// so no GUI is offered them as options).
struct IntegerKey {
  const char* section;
  const char* key;
  int Configuration::*parameter;
  int fileDefault;
  bool times1024;
  bool inUse = true;
};

// The 37 integer keys in the order in which they are read.
inline constexpr std::array<IntegerKey, 37> kIntegerKeys = {{
    {"Engine", "NormalizeS", &Configuration::NormalizeS, 10, false},
    {"Engine", "MaterialFactorS", &Configuration::MaterialFactorS, 10, false},
    {"Engine", "RandomFactorS", &Configuration::RandomFactorS, 9, false},
    {"Engine", "RandomTerm", &Configuration::RandomTerm, 0, false},
    {"Engine", "PosPawnFactorS", &Configuration::PosPawnFactorS, 8, false},
    {"Engine", "PosBishopFactorS", &Configuration::PosBishopFactorS, 8, false},
    {"Engine", "PosKnightFactorS", &Configuration::PosKnightFactorS, 8, false},
    {"Engine", "PosRookFactorS", &Configuration::PosRookFactorS, 8, false},
    {"Engine", "PosKingFactorS", &Configuration::PosKingFactorS, 8, false},
    {"Engine", "TwoBishopFactorS", &Configuration::TwoBishopFactorS, 10, false},
    {"Engine", "RatioFactorS", &Configuration::RatioFactorS, 10, false},
    {"Engine", "RookPairFactorS", &Configuration::RookPairFactorS, 10, false},
    {"Engine", "CastlesFactorS ", &Configuration::CastlesFactorS, 10, false},
    {"Engine", "BishopTrapFactorS", &Configuration::BishopTrapFactorS, 10, false},
    {"Engine", "KnightOutpostFactorS", &Configuration::KnightOutpostFactorS, 10, false},
    {"Engine", "BishopOutpostFactorS", &Configuration::BishopOutpostFactorS, 10, false},
    {"Engine", "DevFactorS", &Configuration::DevFactorS, 10, false},
    {"Engine", "KnightMobFactorS", &Configuration::KnightMobFactorS, 10, false, false},
    {"Engine", "BishopMobFactorS", &Configuration::BishopMobFactorS, 10, false, false},
    {"Engine", "RookMobFactorS", &Configuration::RookMobFactorS, 10, false, false},
    {"Engine", "QueenMobFactorS", &Configuration::QueenMobFactorS, 10, false, false},
    {"Engine", "KingAttackFactorS", &Configuration::KingAttackFactorS, 10, false},
    {"Engine", "HotSpotFactorS", &Configuration::HotSpotFactorS, 10, false},
    {"Engine", "SoloQueenFactorS", &Configuration::SoloQueenFactorS, 10, false},
    {"GameStage", "OpeningCount", &Configuration::OpeningCount, 7, false},
    {"GameStage", "EarlyEndingCount", &Configuration::EarlyEndingCount, 20, true},
    {"GameStage", "LateEndingCount", &Configuration::LateEndingCount, 12, true},
    {"Search", "NullDepthStart", &Configuration::NullDepthStart, 0, false},
    {"Search", "NullDepthEnd", &Configuration::NullDepthEnd, 3, false},
    {"Search", "FastEvalDepth", &Configuration::FastEvalDepth, -4, false},
    {"Search", "MediumEvalDepth", &Configuration::MediumEvalDepth, -2, false},
    {"Search", "QSkipMargin", &Configuration::QSkipMargin, 512, false},
    {"Search", "AspirationWindow", &Configuration::AspirationWindow, 1024, false},
    {"Search", "OppTimeAdv", &Configuration::OppTimeAdv, 1, false},
    {"Search", "Hash", &Configuration::Hash, -1, false},
    {"Search", "Threads", &Configuration::Threads, 1, false},
    {"Search", "MultiPV", &Configuration::MultiPV, 1, false},
}};

// Reads DebugFile, Book, the strength level and the 37 integer keys into out, with their defaults
// where the profile lacks them. exeDirectory and exeBaseName must be set first.
void ReadConfiguration(const ProfileFile& profile, Configuration& out);

}  // namespace morvi
