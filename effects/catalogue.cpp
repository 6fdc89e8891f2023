#include "effects/catalogue.h"

#include "effects/operation_codes.h"

#include <algorithm>

namespace lv::effects {

namespace {

constexpr EffectEntry kCatalogue[] = {
    {kOpOilPaint, "Pintura a óleo", "Tamanho das pinceladas"},
    {kOpEmboss, "Relevo", "Profundidade do relevo"},
    {kOpMosaic, "Mosaico", "Tamanho das pastilhas"},
    {kOpSketch, "Esboço", "Espessura e força dos traços"},
    {kOpWatercolour, "Aquarela", "Tamanho das manchas de tinta"},
    {kOpPointillism, "Pontilhismo", "Tamanho dos pontos"},
    {kOpPencil, "Desenho a lápis", "Quantidade de sombreado"},
    {kOpCharcoal, "Carvão", "Força dos traços"},
    {kOpColouredPencil, "Lápis de cor", "Quantidade de cor"},
    {kOpCartoon, "Desenho animado", "Menos cores e contornos mais fortes"},
    {kOpEdges, "Contornos", "Brilho dos contornos"},
    {kOpGlowingEdges, "Contornos brilhantes", "Intensidade do brilho"},
    {kOpGrey, "Tons de cinza", "Quanto da cor é retirada"},
    {kOpSepia, "Sépia", "Intensidade do tom marrom"},
    {kOpOldPhoto, "Foto antiga", "Idade aparente da foto"},
    {kOpNegative, "Negativo", "Não usado", false},
    {kOpPosterise, "Pôster", "Menos níveis de cor"},
    {kOpSolarise, "Solarizar", "Parte dos tons que se inverte"},
    {kOpThreshold, "Preto e branco", "Nível de corte entre preto e branco"},
    {kOpVignette, "Vinheta", "Escurecimento dos cantos"},
    {kOpSoftGlow, "Brilho suave", "Intensidade do brilho"},
    {kOpMotionBlur, "Desfoque de movimento", "Comprimento do rastro"},
    {kOpZoomBlur, "Desfoque radial", "Comprimento do rastro para o centro"},
    {kOpGlassTiles, "Ladrilhos de vidro", "Tamanho dos ladrilhos"},
    {kOpHalftone, "Meio-tom", "Tamanho dos pontos de impressão"},
    {kOpFrostedGlass, "Vidro fosco", "Espalhamento"},
    {kOpPinch, "Beliscar", "Força da contração"},
    {kOpTwirl, "Redemoinho", "Ângulo do giro"},
    {kOpRipple, "Ondulação", "Altura das ondas"},
    {kOpSpherise, "Esfera", "Curvatura da lente"},
    {kOpNoise, "Ruído", "Quantidade de ruído"},
    {kOpFilmGrain, "Granulação de filme", "Quantidade de granulação"},
    {kOpDespeckle, "Remover manchas", "Sensibilidade a pontos isolados"},
};

}  // namespace

std::span<const EffectEntry> EffectCatalogue()
{
    return kCatalogue;
}

const EffectEntry* FindEffect(int code)
{
    const auto found = std::find_if(std::begin(kCatalogue), std::end(kCatalogue), [code](const EffectEntry& e) { return e.code == code; });
    return found == std::end(kCatalogue) ? nullptr : found;
}

}  // namespace lv::effects
