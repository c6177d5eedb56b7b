// Converts banner text read on standard input inside a running
// QGuiApplication, so that the screen's scale factor and font DPI are in force,
// and writes the sketch text on standard output.

#include "conversion/BannerConverter.h"
#include "surface/DrawingSurface.h"

#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) return 1;
    const QString text = QString::fromUtf8(in.readAll());
    award::DrawingSurface surface;
    const QStringList args = app.arguments();
    if (args.contains("--kai")) surface.SetFontName(award::kKaiFaceName);
    surface.SetFontBold(args.contains("--bold"));
    award::BannerConverter converter(surface);
    const QByteArray sketch = converter.ConvertBanner(text, 3).toUtf8();
    std::fwrite(sketch.constData(), 1, size_t(sketch.size()), stdout);
    return 0;
}
