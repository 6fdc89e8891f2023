#include "output/transition_table.h"

#include <array>

namespace lv {

namespace {

constexpr std::array<TransitionInfo, kTransitionCount> kTable{{
    {"Aleatório", 0, {}, {}},
    {"Caixa dentro/fora", 3, {22, 24}, {}},
    {"Teia circular", 2, {131, 132}, {}},
    {"Circular", 6, {33, 38}, {}},
    {"Canto para dentro", 2, {39, 40}, {}},
    {"Cortina", 8, {1, 8}, {}},
    {"Subir cortinas", 4, {61, 64}, {}},
    {"Diagonal para dentro", 4, {72, 75}, {}},
    {"Duas passagens da diagonal", 1, {76, 77}, {}},
    {"Expandir dissolver", 4, {121, 124}, {}},
    {"Entrelaçar", 6, {9, 14}, {}},
    {"Move para dentro", 2, {41, 42}, {}},
    {"Nenhum", 1, {}, {}},
    {"Cículos aleatórios", 2, {119, 120}, {}},
    {"Cruz aleatória", 2, {67, 68}, {}},
    {"Duas passagens da diagonal", 4, {29, 32}, {}},
    {"Queda aleatória", 4, {115, 118}, {}},
    {"Expansão aleatória", 4, {101, 104}, {}},
    {"Queda aleatória", 3, {19, 21}, {}},
    {"Linhas aleatórias", 6, {109, 114}, {}},
    {"Movimento aleatório", 6, {47, 52}, {}},
    {"Curva de movimento aleatório", 3, {69, 71}, {}},
    {"Raios aleatórios", 4, {105, 108}, {}},
    {"Movimento de velocidade aleatória", 8, {84, 91}, {}},
    {"Transversal aleatória", 1, {45, 46}, {}},
    {"Popup da janela aleatório", 5, {96, 100}, {}},
    {"Invólucro", 3, {128, 130}, {}},
    {"Espiral dentro/fora", 4, {25, 28}, {}},
    {"Estrela para fora", 1, {65, 66}, {}},
    {"Em grade", 5, {56, 60}, {}},
    {"Transparente", 1, {43, 44}, {}},
    {"Entrelaçamento em duas direções", 3, {125, 127}, {}},
    {"Lâmina da janela", 6, {78, 83}, {}},
    {"Apagar", 3, {15, 18}, {53, 55}},
    {"", 4, {92, 95}, {}},
}};

}  // namespace

std::span<const TransitionInfo> TransitionTable()
{
    return kTable;
}

int FindTransition(std::string_view name)
{
    for (int i = 0; i < kNamedTransitions; ++i)
        if (kTable[std::size_t(i)].name == name)
            return i;
    return -1;
}

TransitionChoice TransitionForRandomNumber(int r)
{
    for (int i = 0; i < kTransitionCount; ++i) {
        const TransitionInfo& t = kTable[std::size_t(i)];
        // "Cortina" numbers its variants from 1 and "Apagar" takes the number itself.
        if (i == kCurtain && t.random.contains(r))
            return {i, r};
        if (i == kWipe && (t.random.contains(r) || t.moreRandom.contains(r)))
            return {i, r % 3};
        if (t.random.contains(r))
            return {i, r - t.random.first};
    }
    return {kNoTransition, 0};
}

TransitionChoice ChooseTransition(std::string_view name, bool transitionsOn, ShowRandom& random)
{
    const int index = FindTransition(name);
    if (index == kRandomChoice && transitionsOn)
        return TransitionForRandomNumber(random.next() % kRandomNumbers + 1);
    if (index <= kRandomChoice || index == kNoTransition)
        return {kNoTransition, 0};
    if (index == kCurtain)
        return {index, (random.next() & 7) + 1};
    const int n = kTable[std::size_t(index)].variants;
    switch (n) {
    case 2:
    case 4:
    case 8:
        return {index, random.next() & (n - 1)};
    case 3:
    case 5:
    case 6:
        return {index, random.next() % n};
    default:
        return {index, 0};
    }
}

int LowestVariant(int index)
{
    return index == kCurtain ? 1 : 0;
}

int HighestVariant(int index)
{
    if (index < 0 || index >= kTransitionCount || index == kRandomChoice)
        return -1;
    const int n = kTable[std::size_t(index)].variants;
    return index == kCurtain ? n : n - 1;
}

}  // namespace lv
