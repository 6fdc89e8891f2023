#pragma once
// The transitions by name, their variant counts and the random numbers that pick them,
// and how a slide's transition is chosen.

#include "output/show_random.h"

#include <span>
#include <string_view>

namespace lv {

// Positions in the table; the settings list shows every name but "Nenhum".
enum TransitionIndex : int {
    kRandomChoice = 0,     // "Aleatório"
    kBoxInOut,             // "Caixa dentro/fora"
    kCircularWeb,          // "Teia circular"
    kCircular,             // "Circular"
    kCornerIn,             // "Canto para dentro"
    kCurtain,              // "Cortina"
    kRaiseCurtains,        // "Subir cortinas"
    kDiagonalIn,           // "Diagonal para dentro"
    kTwoDiagonalPasses,    // "Duas passagens da diagonal"
    kExpandDissolve,       // "Expandir dissolver"
    kInterlace,            // "Entrelaçar"
    kMoveIn,               // "Move para dentro"
    kNoTransition,         // "Nenhum"
    kRandomCircles,        // "Cículos aleatórios"
    kRandomCross,          // "Cruz aleatória"
    kDiagonalPassesMore,   // the second "Duas passagens da diagonal"
    kRandomFall,           // "Queda aleatória"
    kRandomExpansion,      // "Expansão aleatória"
    kRandomRain,           // the second "Queda aleatória"
    kRandomLines,          // "Linhas aleatórias"
    kRandomMovement,       // "Movimento aleatório"
    kRandomMotionCurve,    // "Curva de movimento aleatório"
    kRandomRays,           // "Raios aleatórios"
    kRandomSpeedMovement,  // "Movimento de velocidade aleatória"
    kRandomCrosswise,      // "Transversal aleatória"
    kRandomWindowPopup,    // "Popup da janela aleatório"
    kWrapper,              // "Invólucro"
    kSpiral,               // "Espiral dentro/fora"
    kStarOut,              // "Estrela para fora"
    kGrid,                 // "Em grade"
    kTransparent,          // "Transparente"
    kTwoWayInterlace,      // "Entrelaçamento em duas direções"
    kWindowBlade,          // "Lâmina da janela"
    kWipe,                 // "Apagar"
    kCheckerboard,         // no name: reached only by random choice
};

inline constexpr int kNamedTransitions = 34;
inline constexpr int kTransitionCount = 35;
inline constexpr int kRandomNumbers = 132;

struct RandomRange {
    int first = 0;
    int last = -1;  // empty when below first
    bool contains(int r) const { return r >= first && r <= last; }
};

struct TransitionInfo {
    std::string_view name;  // empty for the unnamed one
    int variants;           // 0 for "Aleatório"
    RandomRange random;
    RandomRange moreRandom;  // "Apagar" has two ranges
};

std::span<const TransitionInfo> TransitionTable();

// First match first, so a repeated name finds its first row; -1 for an unknown name.
int FindTransition(std::string_view name);

struct TransitionChoice {
    int index = kNoTransition;
    int variant = 0;
    bool operator==(const TransitionChoice&) const = default;
};

// The transition random number r (1 to 132) stands for.
TransitionChoice TransitionForRandomNumber(int r);

// The transition of the next slide: a random one for "Aleatório" while transitions are
// on, the plain copy for "Nenhum", "Aleatório" with transitions off and unknown names, and
// otherwise the named one with a random variant.
TransitionChoice ChooseTransition(std::string_view name, bool transitionsOn, ShowRandom& random);

// The variants a transition can be asked for: 1..8 for "Cortina" (0 is its plain copy,
// used by "Nenhum"), else 0 to count - 1.
int LowestVariant(int index);
int HighestVariant(int index);

}  // namespace lv
