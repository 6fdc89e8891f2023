// The card templates: a page, one or two photo boxes, ornaments and two editable lines of
// text (a greeting and a message) in Portuguese.

#include "lettering.h"
#include "noise.h"
#include "ornaments.h"
#include "project_templates.h"
#include "sample_photos.h"
#include "shapes.h"

#include <cmath>

namespace lv::artwork {
namespace {

enum class PhotoShape { Rounded, Oval, Heart };

struct CardText {
    const char* text;
    TypeFace face;
    Colour colour;
};

struct CardDesign {
    const char* stem;
    const char* name;
    bool upright;
    Fill paper;
    SampleScene scene;
    PhotoShape shape;
    int photos;  // 1 or 2
    Colour photoBorder;
    CardText greeting, message;
    void (*decorate)(LayerArt& art, float w, float h);
};

constexpr int kLong = 1050, kShort = 750;

std::uint32_t textColour(Colour c)
{
    return std::uint32_t(std::lround(c.r)) | std::uint32_t(std::lround(c.g)) << 8 | std::uint32_t(std::lround(c.b)) << 16;
}

Shape photoShape(PhotoShape shape, Point c, float hw, float hh)
{
    switch (shape) {
    case PhotoShape::Oval: return Ellipse(c, hw, hh);
    case PhotoShape::Heart: return Heart({c.x, c.y - hh * 0.1f}, std::min(hw, hh) * 0.95f);
    default: return RoundedBox(c, hw, hh, 18);
    }
}

std::vector<Rect> photoBoxes(const CardDesign& d)
{
    if (d.upright)
        return d.photos == 1 ? std::vector<Rect>{{95, 80, 655, 560}} : std::vector<Rect>{{60, 110, 360, 530}, {390, 110, 690, 530}};
    return d.photos == 1 ? std::vector<Rect>{{60, 90, 500, 660}} : std::vector<Rect>{{50, 110, 300, 470}, {180, 330, 430, 690}};
}

void addPhoto(Page& page, const CardDesign& d, const Rect& box, int number)
{
    const int w = box.right - box.left, h = box.bottom - box.top;
    const Point c{float(w) / 2, float(h) / 2};
    const float border = 10;
    LayerArt band(w + 40, h + 40, d.photoBorder);
    const Point bc{float(band.width()) / 2, float(band.height()) / 2};
    const Shape outer = photoShape(d.shape, bc, c.x + border, c.y + border);
    band.shadow(outer, 4, 6, 6, 0.3f);
    band.paint(outer, Solid(d.photoBorder));
    page.add("Enfeite//moldura da foto " + std::to_string(number), band, box.left - 20, box.top - 20);
    LayerArt photo = SamplePhoto(SampleScene((int(d.scene) + number - 1) % 3), w, h);
    photo.erase(Outside(photoShape(d.shape, c, c.x, c.y)));
    page.add("Foto//x//" + std::to_string(number), photo, box.left, box.top);
}

TextLayerSettings settingsOf(const CardText& text)
{
    TextLayerSettings settings;
    settings.text = text.text;
    settings.font = FontOf(text.face);
    settings.style.alignment = TextAlignment::Centre;
    settings.colour = textColour(text.colour);
    return settings;
}

Page drawCard(FontLibrary& fonts, const CardDesign& d)
{
    const int w = d.upright ? kShort : kLong, h = d.upright ? kLong : kShort;
    Page page(w, h);
    page.add(kBackgroundLayer, LayerArt::Opaque(w, h, d.paper), 0, 0);
    const std::vector<Rect> boxes = photoBoxes(d);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        addPhoto(page, d, boxes[i], int(i) + 1);
    LayerArt ornaments(w, h, Rgb(255, 255, 255));
    d.decorate(ornaments, float(w), float(h));
    page.add("Enfeite//cartão", ornaments, 0, 0);
    const float textX = d.upright ? float(w) / 2 : (d.photos == 1 ? 775.0f : 745.0f);
    page.addText("Texto//x//1", fonts, settingsOf(d.greeting), {textX, d.upright ? 690.0f : 300.0f});
    page.addText("Texto//x//2", fonts, settingsOf(d.message), {textX, d.upright ? 860.0f : 480.0f});
    page.makeCurrent("Foto");
    return page;
}

Fill paperOf(Colour top, Colour bottom, float height)
{
    return [=](Point p) {
        const float grain = Fractal(p.x / 50, p.y / 50, 2, 21) - 0.5f;
        return Scale(Mix(top, bottom, p.y / height), 1 + 0.04f * grain);
    };
}

const Colour kGoldColour = Rgb(196, 150, 60);

std::vector<CardDesign> designs()
{
    return {
        {"aniversario", "Aniversário", false, paperOf(Rgb(255, 246, 200), Rgb(255, 214, 226), kShort), SampleScene::Garden,
         PhotoShape::Rounded, 1, Rgb(255, 255, 255),
         {"Feliz\nAniversário", {kSans, 76, 700}, Rgb(226, 70, 90)},
         {"Muitas felicidades\ne anos de vida!", {kSerif, 38, 400, true}, Rgb(90, 60, 90)},
         [](LayerArt& a, float w, float) {
             Confetti(a, 60, 7);
             Balloon(a, {w - 70, 110}, 42, Rgb(235, 60, 80));
             Balloon(a, {w - 150, 150}, 36, Rgb(60, 150, 230));
             Balloon(a, {w - 230, 105}, 32, Rgb(250, 190, 40));
         }},
        {"casamento", "Casamento", true, paperOf(Rgb(253, 250, 242), Rgb(244, 236, 220), kLong), SampleScene::Garden,
         PhotoShape::Oval, 2, Rgb(232, 215, 170),
         {"Felicidades\naos Noivos", {kSerif, 70, 400, true}, Rgb(150, 110, 40)},
         {"Com todo o nosso carinho", {kSerif, 34}, Rgb(100, 80, 60)},
         [](LayerArt& a, float w, float h) {
             Ring(a, {w / 2 - 20, 570}, 30, kGoldColour);
             Ring(a, {w / 2 + 20, 570}, 30, Rgb(200, 200, 210));
             for (const float x : {60.0f, w - 60})
                 for (int i = 0; i < 3; ++i)
                     Flower(a, {x, h - 80 - 55 * float(i)}, 26, Rgb(250, 250, 250), 5);
         }},
        {"obrigado", "Obrigado", false, paperOf(Rgb(226, 246, 232), Rgb(200, 232, 214), kShort), SampleScene::Garden,
         PhotoShape::Rounded, 1, Rgb(255, 255, 255),
         {"Obrigado!", {kSerif, 100, 700, true}, Rgb(40, 120, 80)},
         {"Pelo carinho\ne pela amizade", {kSerif, 40, 400, true}, Rgb(60, 80, 70)},
         [](LayerArt& a, float w, float h) {
             const Colour colours[] = {Rgb(240, 120, 150), Rgb(250, 200, 70), Rgb(180, 130, 230)};
             for (int i = 0; i < 5; ++i) {
                 Leaf(a, {w - 60 - 40 * float(i), h - 40 - 12 * float(i % 2)}, 40, 0.6f * float(i), Rgb(80, 160, 90));
                 Flower(a, {w - 40 - 70 * float(i), h - 60 - 20 * float(i % 2)}, 30, colours[i % 3]);
             }
         }},
        {"natal", "Natal", true, [](Point p) { return Mix(Rgb(176, 24, 36), Rgb(110, 10, 20), std::hypot(p.x - 375, p.y - 400) / 800); },
         SampleScene::Hills, PhotoShape::Rounded, 1, Rgb(240, 230, 200),
         {"Feliz Natal", {kSerif, 92, 700, true}, Rgb(255, 255, 255)},
         {"e um próspero\nAno Novo!", {kSerif, 42, 400, true}, Rgb(245, 210, 120)},
         [](LayerArt& a, float w, float h) {
             for (int i = 0; i < 14; ++i)
                 Snowflake(a, {30 + std::fmod(float(i) * 173, w - 60), 30 + std::fmod(float(i) * 311, h - 60)}, 10 + float(i % 3) * 5,
                           Rgb(255, 255, 255));
             for (int i = 0; i < 3; ++i)
                 Leaf(a, {w / 2 - 40 + 40 * float(i), h - 70}, 60, -0.8f + 0.8f * float(i), Rgb(30, 120, 50));
             for (int i = 0; i < 3; ++i)
                 a.paint(Circle({w / 2 - 12 + 12 * float(i), h - 95 + 6 * float(i % 2)}, 9), Solid(Rgb(220, 30, 40)), 1,
                         Around({w / 2 - 12 + 12 * float(i), h - 95}, 16, 16));
             StarOrnament(a, {w / 2, 40}, 28, Rgb(250, 205, 60));
         }},
        {"convite", "Convite", true, [](Point p) { return Mix(Rgb(30, 45, 90), Rgb(14, 22, 50), p.y / kLong); }, SampleScene::Beach,
         PhotoShape::Rounded, 1, kGoldColour,
         {"Convite", {kSerif, 100, 400, true}, Rgb(230, 190, 100)},
         {"Você é nosso convidado!\nData: ___/___   Hora: ___h", {kSans, 30}, Rgb(240, 240, 245)},
         [](LayerArt& a, float w, float h) {
             a.outline(RoundedBox({w / 2, h / 2}, w / 2 - 24, h / 2 - 24, 14), kGoldColour, 3);
             for (int i = 0; i < 12; ++i)
                 StarOrnament(a, {40 + std::fmod(float(i) * 229, w - 80), 620 + std::fmod(float(i) * 97, h - 680)}, 5 + float(i % 3) * 2,
                              Rgb(240, 215, 140));
         }},
        {"bebe", "Bebê", false, paperOf(Rgb(226, 240, 255), Rgb(250, 232, 246), kShort), SampleScene::Garden,
         PhotoShape::Oval, 1, Rgb(255, 255, 255),
         {"Bem-vindo,\nbebê!", {kSans, 74, 700}, Rgb(70, 120, 200)},
         {"Nasceu com muito amor", {kSerif, 38, 400, true}, Rgb(120, 90, 130)},
         [](LayerArt& a, float w, float h) {
             const Point moon{w - 90, 90};
             a.paint(Subtract(Circle(moon, 50), Circle({moon.x + 22, moon.y - 12}, 44)), Solid(Rgb(255, 222, 120)), 1, Around(moon, 52, 52));
             for (int i = 0; i < 10; ++i)
                 StarOrnament(a, {560 + std::fmod(float(i) * 137, w - 600), 40 + std::fmod(float(i) * 71, 140.0f)}, 8 + float(i % 3) * 3,
                              i % 2 ? Rgb(255, 210, 90) : Rgb(160, 200, 250));
             for (int i = 0; i < 4; ++i)
                 HeartOrnament(a, {600 + 110 * float(i), h - 60}, 16, Rgb(240, 150, 190));
         }},
        {"pascoa", "Páscoa", false, paperOf(Rgb(250, 248, 210), Rgb(220, 240, 200), kShort), SampleScene::Garden,
         PhotoShape::Rounded, 1, Rgb(255, 255, 255),
         {"Feliz Páscoa", {kSerif, 78, 700}, Rgb(130, 70, 170)},
         {"Paz, amor\ne muito chocolate!", {kSerif, 40, 400, true}, Rgb(110, 80, 50)},
         [](LayerArt& a, float w, float h) {
             Egg(a, {w - 230, h - 90}, 40, Rgb(240, 140, 170), Rgb(255, 255, 255));
             Egg(a, {w - 140, h - 80}, 46, Rgb(120, 180, 240), Rgb(255, 230, 90));
             Egg(a, {w - 55, h - 92}, 36, Rgb(250, 200, 60), Rgb(140, 90, 200));
             for (int i = 0; i < 6; ++i)
                 Leaf(a, {w - 280 + 50 * float(i), h - 30}, 44, 0.3f * float(i % 3) - 0.3f, Rgb(100, 170, 80));
         }},
        {"formatura", "Formatura", true, [](Point p) { return Mix(Rgb(110, 20, 40), Rgb(50, 8, 20), p.y / kLong); }, SampleScene::Hills,
         PhotoShape::Rounded, 1, kGoldColour,
         {"Parabéns,\nformando!", {kSerif, 80, 700}, Rgb(240, 200, 110)},
         {"Uma conquista merecida", {kSerif, 38, 400, true}, Rgb(245, 235, 220)},
         [](LayerArt& a, float w, float h) {
             // A graduation cap: a board seen at an angle, the cap below it and a tassel.
             const Point c{w - 110, h - 110};
             const Rect box = Around(c, 90, 90);
             a.paint(Polygon({{c.x - 50, c.y + 5}, {c.x + 50, c.y + 5}, {c.x + 45, c.y + 45}, {c.x - 45, c.y + 45}}), Solid(Rgb(25, 25, 30)), 1, box);
             a.paint(Polygon({{c.x - 85, c.y}, {c.x, c.y - 35}, {c.x + 85, c.y}, {c.x, c.y + 35}}), Linear({c.x, c.y - 35}, Rgb(60, 60, 70), {c.x, c.y + 35}, Rgb(20, 20, 25)),
                     1, box);
             a.paint(Capsule(c, {c.x + 60, c.y + 12}, 2), Solid(Rgb(240, 200, 80)), 1, box);
             a.paint(Capsule({c.x + 60, c.y + 12}, {c.x + 60, c.y + 60}, 4), Solid(Rgb(240, 200, 80)), 1, box);
             for (int i = 0; i < 8; ++i)
                 StarOrnament(a, {40 + std::fmod(float(i) * 181, w - 300), h - 60 - std::fmod(float(i) * 53, 80.0f)}, 9, Rgb(240, 200, 110));
         }},
        {"melhoras", "Melhoras", false, paperOf(Rgb(255, 243, 190), Rgb(255, 224, 170), kShort), SampleScene::Hills,
         PhotoShape::Rounded, 1, Rgb(255, 255, 255),
         {"Estimo\nmelhoras!", {kSans, 76, 700}, Rgb(230, 120, 30)},
         {"Fique bom logo,\nestamos com você.", {kSerif, 38, 400, true}, Rgb(100, 80, 50)},
         [](LayerArt& a, float w, float h) {
             const Point sun{w - 80, 80};
             a.paint(Star(sun, 14, 70, 50), Solid(Rgb(255, 190, 40)), 1, Around(sun, 72, 72));
             a.paint(Circle(sun, 44), Radial(sun, 44, Rgb(255, 240, 140), Rgb(255, 180, 40)), 1, Around(sun, 46, 46));
             for (int i = 0; i < 5; ++i)
                 Flower(a, {580 + 100 * float(i), h - 50 - 15 * float(i % 2)}, 30, i % 2 ? Rgb(250, 120, 120) : Rgb(255, 255, 255));
         }},
        {"dia-das-maes", "Dia das Mães", true, paperOf(Rgb(255, 232, 240), Rgb(250, 210, 225), kLong), SampleScene::Garden,
         PhotoShape::Heart, 1, Rgb(255, 255, 255),
         {"Feliz Dia\ndas Mães", {kSerif, 80, 400, true}, Rgb(200, 40, 100)},
         {"Mãe, você é especial!", {kSerif, 38}, Rgb(120, 60, 90)},
         [](LayerArt& a, float w, float h) {
             for (int i = 0; i < 7; ++i)
                 HeartOrnament(a, {50 + std::fmod(float(i) * 211, w - 100), h - 50 - std::fmod(float(i) * 37, 60.0f)}, 14 + float(i % 3) * 4,
                               Rgb(235, 80, 130));
             Flower(a, {60, 60}, 40, Rgb(240, 120, 160));
             Flower(a, {w - 60, 60}, 40, Rgb(250, 180, 200));
         }},
        {"dia-dos-pais", "Dia dos Pais", false, paperOf(Rgb(224, 234, 244), Rgb(196, 212, 230), kShort), SampleScene::Beach,
         PhotoShape::Rounded, 1, Rgb(255, 255, 255),
         {"Feliz Dia\ndos Pais", {kSans, 72, 700}, Rgb(30, 60, 120)},
         {"Pai, meu herói!", {kSerif, 40, 400, true}, Rgb(60, 70, 90)},
         [](LayerArt& a, float w, float) {
             // A striped tie.
             const Point c{w - 90, 150};
             const Shape tie = Union({Polygon({{c.x - 16, c.y - 110}, {c.x + 16, c.y - 110}, {c.x + 10, c.y - 85}, {c.x - 10, c.y - 85}}),
                                      Polygon({{c.x - 10, c.y - 85}, {c.x + 10, c.y - 85}, {c.x + 30, c.y + 60}, {c.x, c.y + 90}, {c.x - 30, c.y + 60}})});
             const Rect box = Around(c, 40, 120);
             a.paint(tie, Solid(Rgb(40, 80, 160)), 1, box);
             const Shape stripes = [](Point p) { return std::fabs(std::fmod(p.x + p.y + 1000, 28.0f) - 14) - 4; };
             a.paint(Intersect(tie, stripes), Solid(Rgb(220, 190, 80)), 1, box);
             for (int i = 0; i < 6; ++i)
                 StarOrnament(a, {580 + 55 * float(i), 60 + 20 * float(i % 2)}, 10, Rgb(60, 100, 170));
         }},
    };
}

}  // namespace

std::vector<ProjectTemplate> CardTemplates()
{
    std::vector<ProjectTemplate> out;
    for (const CardDesign& design : designs())
        out.push_back({kCardFolder, design.stem, design.name, 1, [design](FontLibrary& fonts) { return drawCard(fonts, design); }});
    return out;
}

}  // namespace lv::artwork
