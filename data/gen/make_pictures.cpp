// Draws the interface pictures of the program folder's "Data/": splash banner, panel
// headers, tool buttons, icons, cursors and the full-screen backdrop.
// Usage: make_pictures <Data folder>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <fstream>
#include <functional>

#include "toolkit/codecs/codecs.h"

namespace {

// The palette of all pictures.
const QColor kInk(0x2B, 0x3A, 0x4A);
const QColor kBlue(0x2F, 0x6F, 0xB5);
const QColor kSky(0x8F, 0xC4, 0xEC);
const QColor kOrange(0xF0, 0x8A, 0x24);
const QColor kRed(0xD6, 0x3B, 0x3B);
const QColor kGreen(0x3F, 0xA3, 0x4D);
const QColor kPaper(0xF7, 0xF4, 0xEC);

QString g_dir;
bool g_ok = true;

QImage canvas(int w, int h, QColor fill = Qt::transparent) {
  QImage img(w, h, QImage::Format_ARGB32);
  img.fill(fill);
  return img;
}

void savePng(const QImage& img, const QString& name) {
  if (!img.save(g_dir + "/" + name, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
    g_ok = false;
  }
}

tk::codec::Picture toPicture(const QImage& src) {
  QImage img = src.convertToFormat(QImage::Format_ARGB32);
  tk::codec::Picture p;
  p.w = img.width();
  p.h = img.height();
  p.hasAlpha = true;
  p.cells.resize(size_t(p.w) * p.h);
  for (int y = 0; y < p.h; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(img.constScanLine(y));
    std::copy(row, row + p.w, p.cells.begin() + size_t(y) * p.w);
  }
  return p;
}

void writeBytes(const std::vector<uint8_t>& bytes, const QString& name) {
  std::ofstream f((g_dir + "/" + name).toStdString(), std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!f) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
    g_ok = false;
  }
}

// An icon in 16, 32 and 48 pixels from one drawing made on a 48 x 48 grid.
void saveIcon(const QString& name, const std::function<void(QPainter&)>& draw) {
  std::vector<tk::codec::Picture> sizes;
  for (int s : {16, 32, 48}) {
    QImage img = canvas(s, s);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s / 48.0, s / 48.0);
    draw(p);
    p.end();
    sizes.push_back(toPicture(img));
  }
  std::vector<uint8_t> out;
  if (!tk::codec::encodeICO(sizes, out)) g_ok = false;
  writeBytes(out, name);
}

void saveCursor(const QString& name, int hotX, int hotY, const std::function<void(QPainter&)>& draw) {
  QImage img = canvas(32, 32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  p.end();
  std::vector<uint8_t> out;
  if (!tk::codec::encodeICO({toPicture(img)}, out, true, hotX, hotY)) g_ok = false;
  writeBytes(out, name);
}

QPen pen(QColor c, double w) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

// ---- tool buttons (40 x 40) ---------------------------------------------------------------

void toolFace(QPainter& p) {
  QLinearGradient g(0, 0, 0, 40);
  g.setColorAt(0, QColor(0xFD, 0xFC, 0xF8));
  g.setColorAt(1, QColor(0xE3, 0xE8, 0xEE));
  p.setPen(pen(QColor(0xA8, 0xB4, 0xC0), 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(0.5, 0.5, 39, 39), 6, 6);
}

void dashedRect(QPainter& p, QRectF r) {
  QPen d = pen(kInk, 1.6);
  d.setDashPattern({2.5, 2});
  p.setPen(d);
  p.setBrush(Qt::NoBrush);
  p.drawRect(r);
}

void pencil(QPainter& p, QColor body) {
  QPainterPath path;
  path.moveTo(10, 30);
  path.lineTo(12, 24);
  path.lineTo(27, 9);
  path.lineTo(31, 13);
  path.lineTo(16, 28);
  path.closeSubpath();
  p.setPen(pen(kInk, 1.4));
  p.setBrush(body);
  p.drawPath(path);
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({QPointF(10, 30), QPointF(11, 27), QPointF(13, 29)}));
}

void pipette(QPainter& p) {
  p.setPen(pen(kInk, 1.4));
  p.setBrush(kSky);
  p.save();
  p.translate(20, 20);
  p.rotate(45);
  p.drawRoundedRect(QRectF(-3, -13, 6, 18), 2, 2);
  p.setBrush(kInk);
  p.drawRoundedRect(QRectF(-4.5, -17, 9, 6), 2, 2);
  p.drawLine(QPointF(0, 5), QPointF(0, 11));
  p.restore();
}

void drawTool(QPainter& p, const QString& name) {
  toolFace(p);
  p.setBrush(Qt::NoBrush);
  if (name == "Lasso") {
    QPen d = pen(kInk, 1.6);
    d.setDashPattern({2.5, 2});
    p.setPen(d);
    p.drawEllipse(QRectF(8, 8, 24, 16));
    p.setPen(pen(kOrange, 2));
    p.drawLine(QPointF(14, 23), QPointF(12, 32));
  } else if (name == "Viereckmarkieren") {
    dashedRect(p, QRectF(9, 11, 22, 18));
  } else if (name == "KreisMark") {
    QPen d = pen(kInk, 1.6);
    d.setDashPattern({2.5, 2});
    p.setPen(d);
    p.drawEllipse(QRectF(9, 9, 22, 22));
  } else if (name == "Vieleckmark") {
    QPen d = pen(kInk, 1.6);
    d.setDashPattern({2.5, 2});
    p.setPen(d);
    p.drawPolygon(QPolygonF({QPointF(9, 28), QPointF(14, 9), QPointF(31, 14), QPointF(26, 31)}));
  } else if (name == "Pipette") {
    pipette(p);
  } else if (name == "Pipette_Area") {
    dashedRect(p, QRectF(7, 7, 26, 26));
    pipette(p);
  } else if (name == "Verzerren") {
    p.setPen(pen(kBlue, 1.8));
    p.setBrush(kSky);
    p.drawPolygon(QPolygonF({QPointF(8, 12), QPointF(30, 8), QPointF(32, 32), QPointF(11, 27)}));
    p.setPen(pen(kInk, 1.2));
    p.setBrush(kOrange);
    for (QPointF c : {QPointF(8, 12), QPointF(30, 8), QPointF(32, 32), QPointF(11, 27)})
      p.drawRect(QRectF(c.x() - 2, c.y() - 2, 4, 4));
  } else if (name == "Wisch") {
    p.setPen(pen(kSky, 6));
    p.drawLine(QPointF(9, 29), QPointF(30, 22));
    p.setPen(pen(kInk, 1.4));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(24, 8, 9, 9));
    p.drawLine(QPointF(26, 16), QPointF(22, 24));
  } else if (name == "Text") {
    QFont f("DejaVu Serif", 20, QFont::Bold);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRectF(0, 0, 40, 40), Qt::AlignCenter, "A");
  } else if (name == "Sprühdose") {
    p.setPen(pen(kInk, 1.4));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(18, 14, 11, 20), 3, 3);
    p.setBrush(kInk);
    p.drawRect(QRectF(21, 10, 5, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    for (QPointF d : {QPointF(12, 9), QPointF(9, 13), QPointF(14, 14), QPointF(8, 8), QPointF(11, 18)})
      p.drawEllipse(d, 1.3, 1.3);
  } else if (name == "Freihand") {
    pencil(p, kOrange);
    p.setPen(pen(kBlue, 1.6));
    p.drawPath([] { QPainterPath c; c.moveTo(6, 35); c.cubicTo(12, 30, 18, 38, 26, 33); return c; }());
  } else if (name == "Pinsel") {
    p.setPen(pen(QColor(0x8B, 0x5A, 0x2B), 3));
    p.drawLine(QPointF(31, 8), QPointF(19, 20));
    p.setPen(pen(kInk, 1.2));
    p.setBrush(QColor(0xB0, 0xB8, 0xC0));
    p.drawRect(QRectF(15, 18, 6, 5));
    p.setBrush(kRed);
    p.drawPath([] { QPainterPath c; c.moveTo(15, 22); c.cubicTo(9, 26, 11, 32, 6, 34); c.cubicTo(14, 34, 20, 30, 20, 24); c.closeSubpath(); return c; }());
  } else if (name == "Radiergummi") {
    p.save();
    p.translate(20, 21);
    p.rotate(-35);
    p.setPen(pen(kInk, 1.4));
    p.setBrush(QColor(0xF4, 0xA7, 0xB9));
    p.drawRoundedRect(QRectF(-12, -6, 14, 12), 2, 2);
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(2, -6, 10, 12), 2, 2);
    p.restore();
  } else if (name == "Kreis") {
    p.setPen(pen(kBlue, 2.2));
    p.drawEllipse(QRectF(9, 9, 22, 22));
  } else if (name == "Ellipse") {
    p.setPen(pen(kBlue, 2.2));
    p.drawEllipse(QRectF(6, 12, 28, 16));
  } else if (name == "Viereck") {
    p.setPen(pen(kBlue, 2.2));
    p.drawRect(QRectF(9, 11, 22, 18));
  } else if (name == "Raute") {
    p.setPen(pen(kBlue, 2.2));
    p.drawPolygon(QPolygonF({QPointF(20, 7), QPointF(33, 20), QPointF(20, 33), QPointF(7, 20)}));
  } else if (name == "Linie") {
    p.setPen(pen(kBlue, 2.4));
    p.drawLine(QPointF(9, 31), QPointF(31, 9));
  } else if (name == "Linie_Autograde") {
    p.setPen(pen(kBlue, 2.4));
    p.drawLine(QPointF(8, 29), QPointF(32, 29));
    p.drawLine(QPointF(11, 32), QPointF(11, 8));
    p.setPen(pen(kOrange, 1.4));
    p.drawArc(QRectF(3, 21, 16, 16), 0, 90 * 16);
  } else if (name == "Vieleck") {
    p.setPen(pen(kBlue, 2.2));
    p.drawPolygon(QPolygonF({QPointF(9, 30), QPointF(12, 11), QPointF(24, 8), QPointF(32, 20), QPointF(24, 32)}));
  } else if (name == "Bezier") {
    p.setPen(pen(QColor(0xA8, 0xB4, 0xC0), 1.2));
    p.drawLine(QPointF(8, 30), QPointF(14, 8));
    p.drawLine(QPointF(32, 10), QPointF(26, 32));
    p.setPen(pen(kBlue, 2.4));
    QPainterPath c;
    c.moveTo(8, 30);
    c.cubicTo(14, 8, 26, 32, 32, 10);
    p.drawPath(c);
    p.setPen(pen(kInk, 1));
    p.setBrush(kOrange);
    for (QPointF d : {QPointF(8, 30), QPointF(14, 8), QPointF(26, 32), QPointF(32, 10)}) p.drawEllipse(d, 2, 2);
  } else if (name == "Fill") {
    p.save();
    p.translate(18, 22);
    p.rotate(-25);
    p.setPen(pen(kInk, 1.4));
    p.setBrush(kPaper);
    p.drawRect(QRectF(-8, -8, 16, 16));
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPath([] { QPainterPath c; c.moveTo(29, 18); c.cubicTo(34, 25, 34, 30, 30, 31); c.cubicTo(26, 30, 26, 25, 29, 18); return c; }());
  } else if (name == "Zauberstab") {
    p.setPen(pen(kInk, 3));
    p.drawLine(QPointF(9, 31), QPointF(24, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
      double r = (i % 2) ? 3 : 7.5, a = i * 3.14159265 / 5 - 3.14159265 / 2;
      star << QPointF(27 + r * std::cos(a), 13 + r * std::sin(a));
    }
    p.drawPolygon(star);
  } else if (name == "Zirkel") {
    p.setPen(pen(kInk, 2));
    p.drawLine(QPointF(20, 10), QPointF(12, 32));
    p.drawLine(QPointF(20, 10), QPointF(28, 32));
    p.setBrush(kOrange);
    p.drawEllipse(QPointF(20, 9), 3, 3);
    QPen d = pen(kBlue, 1.4);
    d.setDashPattern({2, 2});
    p.setPen(d);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 18, 28, 28), 20 * 16, 140 * 16);
  } else if (name == "Drawform") {
    p.setPen(pen(kInk, 1.4));
    p.setBrush(kSky);
    p.drawRoundedRect(QRectF(8, 8, 16, 16), 3, 3);
    p.setBrush(kOrange);
    p.drawEllipse(QRectF(17, 17, 15, 15));
  }
}

// ---- splash banner (400 x 400) ------------------------------------------------------------

void splash() {
  QImage img = canvas(400, 400, kPaper);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 400, 400);
  sky.setColorAt(0, QColor(0x1F, 0x3A, 0x5C));
  sky.setColorAt(1, QColor(0x2F, 0x6F, 0xB5));
  p.fillRect(0, 0, 400, 400, sky);
  // Overlapping translucent colour discs: the three channels mixing.
  p.setPen(Qt::NoPen);
  p.setCompositionMode(QPainter::CompositionMode_Screen);
  const QColor discs[3] = {QColor(230, 70, 70, 200), QColor(70, 200, 100, 200), QColor(80, 140, 240, 200)};
  const QPointF centres[3] = {QPointF(170, 140), QPointF(230, 140), QPointF(200, 192)};
  for (int i = 0; i < 3; ++i) {
    p.setBrush(discs[i]);
    p.drawEllipse(centres[i], 70, 70);
  }
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  // A brush stroke under the name.
  QPainterPath stroke;
  stroke.moveTo(70, 318);
  stroke.cubicTo(150, 300, 260, 336, 332, 308);
  p.setPen(pen(kOrange, 7));
  p.setBrush(Qt::NoBrush);
  p.drawPath(stroke);
  QFont title("DejaVu Sans", 40, QFont::Bold);
  p.setFont(title);
  p.setPen(QColor(255, 255, 255));
  p.drawText(QRectF(0, 250, 400, 60), Qt::AlignCenter, "Corvalen");
  QFont sub("DejaVu Sans", 11);
  p.setFont(sub);
  p.setPen(QColor(0xDD, 0xE8, 0xF4));
  p.drawText(QRectF(0, 336, 400, 24), Qt::AlignCenter, QString::fromUtf8("Bildbearbeitung mit eigener Scriptsprache"));
  p.end();
  savePng(img, "Corvalen_08.png");
}

// ---- panel headers (230 x 40) ---------------------------------------------------------------

void header(const QString& file, const QString& text, QColor accent) {
  QImage img = canvas(230, 40);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 230, 0);
  g.setColorAt(0, accent);
  g.setColorAt(1, accent.lighter(160));
  p.fillRect(0, 0, 230, 40, g);
  p.setPen(pen(QColor(255, 255, 255, 120), 2));
  p.drawLine(0, 38, 230, 38);
  p.setFont(QFont("DejaVu Sans", 13, QFont::Bold));
  p.setPen(Qt::white);
  p.drawText(QRectF(12, 0, 218, 40), Qt::AlignVCenter | Qt::AlignLeft, text);
  p.end();
  savePng(img, file);
}

// ---- icons ---------------------------------------------------------------------------------------

void disc(QPainter& p, QColor c, QRectF r = QRectF(6, 6, 36, 36)) {
  QRadialGradient g(r.center() - QPointF(6, 6), r.width() * 0.7);
  g.setColorAt(0, c.lighter(150));
  g.setColorAt(1, c);
  p.setPen(pen(c.darker(150), 2));
  p.setBrush(g);
  p.drawEllipse(r);
}

void icons() {
  saveIcon("rot.ico", [](QPainter& p) { disc(p, kRed); });
  saveIcon("gruen.ico", [](QPainter& p) { disc(p, kGreen); });
  saveIcon("blau.ico", [](QPainter& p) { disc(p, kBlue); });
  saveIcon("OK.ico", [](QPainter& p) {
    disc(p, kGreen);
    p.setPen(pen(Qt::white, 5));
    p.drawPolyline(QPolygonF({QPointF(15, 24), QPointF(21, 31), QPointF(33, 16)}));
  });
  saveIcon("wait.ico", [](QPainter& p) {
    disc(p, kOrange);
    p.setPen(pen(Qt::white, 4));
    p.drawLine(QPointF(24, 24), QPointF(24, 13));
    p.drawLine(QPointF(24, 24), QPointF(32, 28));
  });
  saveIcon("Error.ico", [](QPainter& p) {
    p.setPen(pen(kRed.darker(140), 2));
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF({QPointF(24, 5), QPointF(44, 41), QPointF(4, 41)}));
    p.setPen(pen(Qt::white, 5));
    p.drawLine(QPointF(24, 17), QPointF(24, 29));
    p.drawPoint(QPointF(24, 36));
  });
  saveIcon("Error2.ico", [](QPainter& p) {
    p.setPen(pen(kOrange.darker(140), 2));
    p.setBrush(kOrange);
    p.drawPolygon(QPolygonF({QPointF(24, 5), QPointF(44, 41), QPointF(4, 41)}));
    p.setPen(pen(kInk, 5));
    p.drawLine(QPointF(24, 17), QPointF(24, 29));
    p.drawPoint(QPointF(24, 36));
  });
  saveIcon("tdt.ico", [](QPainter& p) {
    disc(p, QColor(0xF2, 0xC1, 0x2E), QRectF(10, 4, 28, 28));
    p.setPen(pen(kInk, 2));
    p.setBrush(QColor(0xB0, 0xB8, 0xC0));
    p.drawRoundedRect(QRectF(17, 32, 14, 10), 2, 2);
  });
  saveIcon("Stift_oben.ico", [](QPainter& p) {
    p.scale(1.2, 1.2);
    pencil(p, kOrange);
    p.setPen(pen(kBlue, 2));
    p.drawLine(QPointF(4, 8), QPointF(4, 2));
    p.drawLine(QPointF(4, 2), QPointF(1, 5));
    p.drawLine(QPointF(4, 2), QPointF(7, 5));
  });
  saveIcon("Stift_unten.ico", [](QPainter& p) {
    p.scale(1.2, 1.2);
    pencil(p, kOrange);
    p.setPen(pen(kBlue, 2));
    p.drawLine(QPointF(4, 30), QPointF(30, 34));
  });
  saveIcon("Structure.ico", [](QPainter& p) {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        p.setPen(Qt::NoPen);
        p.setBrush(((x + y) % 2) ? kInk : kPaper);
        p.drawRect(QRectF(6 + x * 9, 6 + y * 9, 9, 9));
      }
    p.setPen(pen(kInk, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6, 6, 36, 36));
  });
  saveIcon("OperationenIcon.ico", [](QPainter& p) {
    QPen d = pen(kInk, 3);
    d.setDashPattern({2, 1.5});
    p.setPen(d);
    p.setBrush(QColor(0x8F, 0xC4, 0xEC, 120));
    p.drawRect(QRectF(7, 9, 34, 30));
  });
  saveIcon("EffectsIcon.ico", [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setBrush(QColor(230, 70, 70, 200));
    p.drawEllipse(QPointF(18, 19), 12, 12);
    p.setBrush(QColor(70, 200, 100, 200));
    p.drawEllipse(QPointF(30, 19), 12, 12);
    p.setBrush(QColor(80, 140, 240, 200));
    p.drawEllipse(QPointF(24, 30), 12, 12);
  });
}

void cursors() {
  // 0: cross-hair, 1: pen, 2: fill, 3: pipette.
  saveCursor("Cursor0.cur", 15, 15, [](QPainter& p) {
    p.setPen(pen(Qt::white, 3));
    p.drawLine(15, 2, 15, 28);
    p.drawLine(2, 15, 28, 15);
    p.setPen(pen(Qt::black, 1));
    p.drawLine(15, 2, 15, 28);
    p.drawLine(2, 15, 28, 15);
  });
  saveCursor("Cursor1.cur", 3, 28, [](QPainter& p) {
    p.translate(-6, 0);
    p.scale(0.95, 0.95);
    pencil(p, kOrange);
  });
  saveCursor("Cursor2.cur", 26, 26, [](QPainter& p) {
    p.setPen(pen(Qt::black, 1.4));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 8, 14, 14));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(25, 25), 3, 4);
  });
  saveCursor("Cursor3.cur", 4, 28, [](QPainter& p) {
    p.translate(-6, 6);
    pipette(p);
  });
}

void smallPictures() {
  // Marked-area move toggle (30 x 30): four arrows.
  QImage mv = canvas(30, 30);
  {
    QPainter p(&mv);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen(kInk, 2));
    p.drawLine(QPointF(15, 4), QPointF(15, 26));
    p.drawLine(QPointF(4, 15), QPointF(26, 15));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(15, 2), QPointF(11, 7), QPointF(19, 7)}));
    p.drawPolygon(QPolygonF({QPointF(15, 28), QPointF(11, 23), QPointF(19, 23)}));
    p.drawPolygon(QPolygonF({QPointF(2, 15), QPointF(7, 11), QPointF(7, 19)}));
    p.drawPolygon(QPolygonF({QPointF(28, 15), QPointF(23, 11), QPointF(23, 19)}));
  }
  savePng(mv, "Mark_verschieb.png");
  // Compass option faces (100 x 40): full and outline circle.
  for (int full = 0; full <= 1; ++full) {
    QImage img = canvas(100, 40, QColor(0xFD, 0xFC, 0xF8));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen(kBlue, 2));
    p.setBrush(full ? QBrush(kSky) : Qt::NoBrush);
    p.drawEllipse(QRectF(34, 4, 32, 32));
    p.end();
    savePng(img, full ? "Zirkel_voll.png" : "Zirkel_leer.png");
  }
  // Full-screen backdrop (640 x 480).
  QImage screen = canvas(640, 480);
  {
    QPainter p(&screen);
    QLinearGradient g(0, 0, 0, 480);
    g.setColorAt(0, QColor(0x26, 0x2C, 0x33));
    g.setColorAt(1, QColor(0x10, 0x13, 0x17));
    p.fillRect(0, 0, 640, 480, g);
  }
  std::vector<uint8_t> out;
  if (!tk::codec::encodeBMP(toPicture(screen), out, 24)) g_ok = false;
  writeBytes(out, "Screen.bmp");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures <Data folder>\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  g_dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(g_dir);

  splash();
  header("Operationenbar.png", "Operationen", kBlue);
  header("Markbar.png", "Markierung", kGreen);
  header("effectbar.png", "Effekte", QColor(0x8E, 0x4F, 0xB5));
  header("Textbar.png", "Text", kOrange);
  header("Scriptbar.png", "Script", kInk);
  const char* const tools[] = {"Lasso", "Viereckmarkieren", "KreisMark", "Vieleckmark", "Pipette",
                               "Verzerren", "Wisch", "Text", "Sprühdose", "Freihand", "Pinsel",
                               "Radiergummi", "Kreis", "Ellipse", "Viereck", "Raute", "Linie",
                               "Linie_Autograde", "Vieleck", "Bezier", "Fill", "Zauberstab", "Zirkel",
                               "Pipette_Area", "Drawform"};
  for (const char* t : tools) {
    QString name = QString::fromUtf8(t);
    QImage img = canvas(40, 40);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawTool(p, name);
    p.end();
    // The toolkit keeps file names UTF-8 on disk ("Sprühdose.png").
    savePng(img, name + ".png");
  }
  icons();
  cursors();
  smallPictures();
  return g_ok ? 0 : 1;
}
