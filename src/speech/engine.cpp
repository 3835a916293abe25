// SPDX-License-Identifier: GPL-3.0-or-later
// The speech module: Qt's text to speech on the speech-dispatcher service.
#include <QCoreApplication>
#include <QTextToSpeech>
#include <memory>

#include "speech/engine.h"

namespace tj::speech {
namespace {

// espeak-ng's German is the one German voice of Debian's main archive; its variants only
// change pitch and timbre. Read a little slower than usual, for children.
constexpr double kRate = -0.2;

class QtEngine final : public Engine {
 public:
  QtEngine() : tts_(QStringLiteral("speechd")) {
    QObject::connect(&tts_, &QTextToSpeech::errorOccurred, [](QTextToSpeech::ErrorReason, const QString& text) {
      qWarning("tankjagd: Vorlesen: %s", qUtf8Printable(text));
    });
  }
  // Empty when a German voice is ready, else why not.
  std::string open() {
    if (tts_.state() == QTextToSpeech::Error)
      return "kein Sprachdienst: " + tts_.errorString().toStdString();
    for (const QLocale& l : tts_.availableLocales())
      if (l.language() == QLocale::German) {
        tts_.setLocale(l);
        if (tts_.availableVoices().isEmpty()) continue;
        tts_.setRate(kRate);
        return {};
      }
    return "keine deutsche Stimme";
  }
  void say(const std::string& text) override {
    tts_.stop();
    tts_.say(QString::fromStdString(text));
  }
  void stop() override { tts_.stop(); }

 private:
  QTextToSpeech tts_;
};

}  // namespace
}  // namespace tj::speech

extern "C" __attribute__((visibility("default"))) tj::speech::Engine* tj_speech_make_engine(std::string* why) {
  if (!QTextToSpeech::availableEngines().contains(QStringLiteral("speechd"))) {
    *why = "Qt-Sprachausgabe ohne speech-dispatcher";
    return nullptr;
  }
  auto engine = std::make_unique<tj::speech::QtEngine>();
  *why = engine->open();
  return why->empty() ? engine.release() : nullptr;
}
