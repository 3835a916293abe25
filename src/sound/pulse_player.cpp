// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/pulse_player.h"

#include <dlfcn.h>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "sound/wav.h"

namespace tj::sound {

namespace {

// The few entry points of the simple API, looked up at run time so that the program
// neither needs the library to start nor pays for loading it before the first sound.
struct Library {
  void* handle = nullptr;
  decltype(&pa_simple_new) open = nullptr;
  decltype(&pa_simple_write) write = nullptr;
  decltype(&pa_simple_drain) drain = nullptr;
  decltype(&pa_simple_free) close = nullptr;
  decltype(&pa_strerror) error = nullptr;

  template <class F>
  bool find(F& fn, const char* name) {
    fn = reinterpret_cast<F>(dlsym(handle, name));
    return fn != nullptr;
  }
  // Empty when loaded, else why not. The library stays loaded until the program ends.
  std::string load() {
    handle = dlopen("libpulse-simple.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!handle) return dlerror();
    if (find(open, "pa_simple_new") && find(write, "pa_simple_write") && find(drain, "pa_simple_drain") &&
        find(close, "pa_simple_free") && find(error, "pa_strerror"))
      return {};
    return "libpulse-simple.so.0 unvollständig";
  }
};

}  // namespace

struct PulsePlayer::State {
  std::vector<std::filesystem::path> folders;
  Warn warn;
  std::mutex m;
  std::condition_variable wake, idle;
  std::optional<Sound> pending;
  bool busy = false, stop = false, started = false, ended = false;
  bool mute = false;  // no library: nothing will ever play
  // Worker thread only:
  std::optional<Library> lib;
  bool toldNoServer = false;
  std::map<Sound, std::optional<Wave>> waves;

  void run();
  void playNow(Sound s);
  const Wave* wave(Sound s);
};

PulsePlayer::PulsePlayer(std::vector<std::filesystem::path> folders, Warn warn, StartThread start)
    : state_(std::make_shared<State>()), start_(std::move(start)) {
  state_->folders = std::move(folders);
  state_->warn = std::move(warn);
  if (!start_) start_ = [](std::function<void()> work) { std::thread(std::move(work)).detach(); };
}

PulsePlayer::~PulsePlayer() {
  std::unique_lock lock(state_->m);
  if (!state_->started) return;
  state_->stop = true;
  state_->pending.reset();
  state_->wake.notify_one();
  // Every sound is shorter than a second; the worker owns its share of the state.
  state_->idle.wait_for(lock, std::chrono::seconds(3), [this] { return state_->ended; });
}

void PulsePlayer::play(Sound s) {
  std::string failed;
  {
    std::lock_guard lock(state_->m);
    if (state_->mute) return;
    state_->pending = s;
    if (!state_->started) {
      try {
        start_([state = state_] { state->run(); });
        state_->started = true;
      } catch (const std::exception& e) {
        state_->mute = true;
        state_->pending.reset();
        failed = e.what();
      }
    }
  }
  if (!failed.empty()) {
    state_->warn("Ton aus: der Tonspieler kann nicht starten (" + failed + ")");
    return;
  }
  state_->wake.notify_one();
}

void PulsePlayer::finish() {
  std::unique_lock lock(state_->m);
  state_->idle.wait(lock, [this] { return !state_->pending && !state_->busy; });
}

void PulsePlayer::State::run() {
  std::unique_lock lock(m);
  for (;;) {
    wake.wait(lock, [this] { return stop || pending; });
    if (stop) break;
    const Sound s = *pending;
    pending.reset();
    busy = true;
    lock.unlock();
    playNow(s);
    lock.lock();
    busy = false;
    if (!pending) idle.notify_all();
  }
  ended = true;
  idle.notify_all();
}

const Wave* PulsePlayer::State::wave(Sound s) {
  auto [it, fresh] = waves.try_emplace(s);
  if (fresh) {
    const std::string name = std::string(kSoundFolder) + "/" + std::string(soundFile(s));
    for (const std::filesystem::path& folder : folders)
      if ((it->second = readWav(folder / name))) break;
    if (!it->second) warn("Ton nicht lesbar: " + name);  // once per file
  }
  return it->second ? &*it->second : nullptr;
}

void PulsePlayer::State::playNow(Sound s) {
  if (!lib) {
    lib.emplace();
    if (std::string why = lib->load(); !why.empty()) {
      std::lock_guard lock(m);
      mute = true;
      warn("Ton aus: " + why);
      return;
    }
  }
  if (mute) return;
  const Wave* w = wave(s);
  if (!w || w->samples.empty()) return;
  const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<uint32_t>(w->rate), 1};
  int err = 0;
  pa_simple* stream =
      lib->open(nullptr, "Tank Jagd", PA_STREAM_PLAYBACK, nullptr, "Spielgeräusch", &format, nullptr, nullptr, &err);
  if (!stream) {
    // The server may come later; try again at the next sound, but say it only once.
    if (!toldNoServer) warn(std::string("Ton aus: kein Tonserver erreichbar (") + lib->error(err) + ")");
    toldNoServer = true;
    return;
  }
  if (lib->write(stream, w->samples.data(), w->samples.size() * sizeof(int16_t), &err) == 0) lib->drain(stream, &err);
  lib->close(stream);
}

}  // namespace tj::sound
