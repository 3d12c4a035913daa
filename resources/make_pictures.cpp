// Draws the application's two pictures and writes them beside this file:
//   168.png  the cover picture (158 x 204): a virion particle over a strand
//            of its genome, without words
//   170.png  the virion picture (48 x 48) drawn on the laboratories' cards
//
// Not part of the normal build. Build and run it by hand when the pictures
// are to change, e.g.
//   g++ -std=c++17 -fPIC make_pictures.cpp -o /tmp/make_pictures \
//       $(pkg-config --cflags --libs Qt6Gui)
//   QT_QPA_PLATFORM=offscreen /tmp/make_pictures <resources folder>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QtMath>
#include <cstdio>

namespace {

// The application's soft palette.
const QColor kCapsidLight(214, 236, 232);
const QColor kCapsidMid(150, 204, 196);
const QColor kCapsidDark(96, 160, 156);
const QColor kSpike(232, 150, 140);
const QColor kSpikeKnob(240, 178, 120);
const QColor kCore(176, 160, 214);

// A round virion centred at (cx, cy): a capsid of radius r with `spikes`
// spikes reaching out to radius r + spikeLen, each ending in a knob.
void drawVirion(QPainter& p, qreal cx, qreal cy, qreal r, qreal spikeLen, int spikes, qreal scale) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);

    // Spikes: stalk, then knob.
    for (int i = 0; i < spikes; ++i) {
        const qreal a = 2.0 * M_PI * i / spikes + M_PI / spikes;
        const qreal c = qCos(a), s = qSin(a);
        QPointF base(cx + c * (r - 1.0 * scale), cy + s * (r - 1.0 * scale));
        QPointF tip(cx + c * (r + spikeLen), cy + s * (r + spikeLen));
        p.setPen(QPen(kSpike, 2.2 * scale, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(base, tip);
        p.setPen(QPen(kSpike.darker(120), 0.8 * scale));
        p.setBrush(kSpikeKnob);
        const qreal k = 2.6 * scale;
        p.drawEllipse(tip, k, k);
    }

    // Capsid with a soft light from the upper left.
    QRadialGradient g(QPointF(cx - r * 0.35, cy - r * 0.4), r * 1.4);
    g.setColorAt(0.0, QColor(250, 253, 252));
    g.setColorAt(0.35, kCapsidLight);
    g.setColorAt(0.8, kCapsidMid);
    g.setColorAt(1.0, kCapsidDark);
    p.setPen(QPen(kCapsidDark.darker(115), 1.2 * scale));
    p.setBrush(g);
    p.drawEllipse(QPointF(cx, cy), r, r);

    // Capsomeres: two rings of small bumps on the shell.
    p.setPen(Qt::NoPen);
    const struct { qreal radius; int count; qreal size; } rings[] = {
        {r * 0.78, spikes, 2.0}, {r * 0.48, spikes / 2, 1.8}};
    for (const auto& ring : rings) {
        if (ring.count < 3) continue;
        for (int i = 0; i < ring.count; ++i) {
            const qreal a = 2.0 * M_PI * i / ring.count;
            QPointF c(cx + qCos(a) * ring.radius, cy + qSin(a) * ring.radius);
            p.setBrush(QColor(255, 255, 255, 110));
            p.drawEllipse(c, ring.size * scale, ring.size * scale);
        }
    }

    // The core with its coiled genome.
    const qreal cr = r * 0.32;
    QRadialGradient cg(QPointF(cx - cr * 0.3, cy - cr * 0.3), cr * 1.3);
    cg.setColorAt(0.0, kCore.lighter(125));
    cg.setColorAt(1.0, kCore);
    p.setBrush(cg);
    p.setPen(QPen(kCore.darker(125), 0.8 * scale));
    p.drawEllipse(QPointF(cx, cy), cr, cr);
    if (scale >= 1.5) {
        QPainterPath coil;
        for (int i = 0; i <= 120; ++i) {
            const qreal t = i / 120.0;
            const qreal a = t * 6.0 * M_PI;
            const qreal rad = cr * (0.15 + 0.65 * t);
            QPointF pt(cx + qCos(a) * rad, cy + qSin(a) * rad);
            if (i == 0) coil.moveTo(pt); else coil.lineTo(pt);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 170), 0.9 * scale / 1.5));
        p.drawPath(coil);
    }

    p.restore();
}

// The cover carries no words: the windows that show it print the title
// beside it.
QImage coverPicture() {
    QImage img(158, 204, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);

    // A faint halo behind the particle.
    const QPointF centre(79, 88);
    QRadialGradient halo(centre, 76);
    halo.setColorAt(0.0, QColor(236, 246, 244));
    halo.setColorAt(0.7, QColor(246, 250, 250));
    halo.setColorAt(1.0, Qt::white);
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, 76, 76);

    drawVirion(p, centre.x(), centre.y(), 48, 18, 16, 2.1);

    // Under it a short strand of the genome: a gentle wave of beads.
    const QColor bases[] = {kSpike, kCapsidMid, kCore, kSpikeKnob};
    QPainterPath strand;
    for (int i = 0; i <= 100; ++i) {
        const qreal x = 27 + i * 1.04;
        const qreal y = 186 + 5 * qSin(i / 100.0 * 3 * M_PI);
        if (i == 0) strand.moveTo(x, y); else strand.lineTo(x, y);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kCapsidDark, 1.4));
    p.drawPath(strand);
    for (int k = 0; k < 9; ++k) {
        const int i = k * 100 / 8;
        const QPointF at(27 + i * 1.04, 186 + 5 * qSin(i / 100.0 * 3 * M_PI));
        p.setPen(QPen(bases[k % 4].darker(125), 0.8));
        p.setBrush(bases[k % 4]);
        p.drawEllipse(at, 3.2, 3.2);
    }
    p.end();
    return img;
}

QImage virionPicture() {
    QImage img(48, 48, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    drawVirion(p, 24, 24, 13, 6.5, 10, 0.9);
    p.end();
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString cover = dir + "/168.png";
    const QString virion = dir + "/170.png";
    if (!coverPicture().save(cover, "PNG") || !virionPicture().save(virion, "PNG")) {
        std::fprintf(stderr, "could not write the pictures into %s\n", qPrintable(dir));
        return 1;
    }
    std::printf("wrote %s and %s\n", qPrintable(cover), qPrintable(virion));
    return 0;
}
