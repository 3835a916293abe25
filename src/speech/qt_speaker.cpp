// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/qt_speaker.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QPointer>
#include <QThread>
#include <mutex>
#include <optional>
#include <utility>

#include "speech/engine.h"

namespace tj::speech {

struct QtSpeaker::State {
  std::vector<std::filesystem::path> folders;
  std::function<void(const std::string&)> unavailable;
  QPointer<QObject> ui;  // lives on the UI thread; gone once the speaker is
  std::mutex m;
  std::optional<std::string> wanted;  // the newest text not yet handed to the voice
  bool stopWanted = false;            // a stop since the last job
  bool posted = false;                // a job for the worker is on its way
  // Worker thread only:
  std::unique_ptr<QThread> thread;
  QObject* worker = nullptr;  // lives on the worker thread
  std::unique_ptr<Engine> engine;
  bool failed = false;  // told the UI; no new try before the next stop

  void run();
  bool open();
};

QtSpeaker::QtSpeaker(std::vector<std::filesystem::path> folders, std::function<void(const std::string&)> unavailable)
    : state_(std::make_shared<State>()) {
  state_->folders = std::move(folders);
  state_->unavailable = std::move(unavailable);
  state_->ui = new QObject;
}

QtSpeaker::~QtSpeaker() {
  {
    std::lock_guard lock(state_->m);
    delete state_->ui;  // drops what the worker has posted to it; it posts nothing more
  }
  if (!state_->thread) return;
  {
    std::lock_guard lock(state_->m);
    state_->wanted.reset();
  }
  // The engine belongs to the worker thread: it ends there.
  QMetaObject::invokeMethod(state_->worker, [s = state_.get()] {
    s->engine.reset();
    QThread::currentThread()->quit();
  });
  if (state_->thread->wait(2000)) return;
  // Still connecting to the speech service: leave it, with its share of the state, running
  // until the program ends.
  static auto* const leftBehind = new std::vector<std::shared_ptr<State>>;
  leftBehind->push_back(state_);
}

void QtSpeaker::say(const std::string& text) {
  if (text.empty()) return;
  {
    std::lock_guard lock(state_->m);
    state_->wanted = text;
  }
  post();
}

void QtSpeaker::stop() {
  {
    std::lock_guard lock(state_->m);
    if (!state_->thread) return;  // nothing ever spoke
    state_->wanted.reset();
    state_->stopWanted = true;
  }
  post();
}

void QtSpeaker::post() {
  State& s = *state_;
  if (!s.thread) {
    s.thread = std::make_unique<QThread>();
    s.thread->setObjectName(QStringLiteral("Vorlesen"));
    s.worker = new QObject;
    s.worker->moveToThread(s.thread.get());
    QObject::connect(s.thread.get(), &QThread::finished, s.worker, &QObject::deleteLater);
    s.thread->start();
  }
  {
    std::lock_guard lock(s.m);
    if (s.posted) return;  // the job on its way takes the newest request
    s.posted = true;
  }
  QMetaObject::invokeMethod(s.worker, [weak = std::weak_ptr<State>(state_)] {
    if (auto s = weak.lock()) s->run();
  });
}

void QtSpeaker::State::run() {
  std::optional<std::string> job;
  bool stopNow = false;
  {
    std::lock_guard lock(m);
    job.swap(wanted);
    stopNow = std::exchange(stopWanted, false);
    posted = false;
  }
  if (stopNow) {
    failed = false;  // the next text tries again
    if (engine) engine->stop();
  }
  if (!job || (!engine && (failed || !open()))) return;
  engine->say(*job);
}

// Loads the module and opens its voice; on failure the UI hears why, once.
bool QtSpeaker::State::open() {
  std::string why = "das Modul " + std::string(kModuleFile) + " fehlt";
  for (const std::filesystem::path& folder : folders) {
    const std::filesystem::path file = folder / kModuleFile;
    if (!std::filesystem::exists(file)) continue;
    QLibrary lib(QString::fromStdString(file.string()));  // stays loaded until the program ends
    auto make = reinterpret_cast<MakeEngine>(lib.resolve(kMakeEngine));
    if (!make) {
      why = lib.errorString().toStdString();
      break;
    }
    engine.reset(make(&why));
    break;
  }
  if (engine) return true;
  failed = true;
  std::lock_guard lock(m);
  if (ui)
    QMetaObject::invokeMethod(ui, [this, why] {
      if (unavailable) unavailable(why);
    });
  return false;
}

}  // namespace tj::speech
