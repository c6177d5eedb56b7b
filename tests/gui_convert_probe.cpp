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
    const QStringList args = app.arguments();
    award::ConversionOptions options;
    if (args.contains("--kai")) options.style.face = award::kKaiFaceName;
    options.style.bold = args.contains("--bold");
    award::DrawingSurface surface;
    award::BannerConverter converter(surface);
    const QByteArray sketch = converter.Convert(text, options).toUtf8();
    std::fwrite(sketch.constData(), 1, size_t(sketch.size()), stdout);
    return 0;
}
