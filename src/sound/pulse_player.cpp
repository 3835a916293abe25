// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/pulse_player.h"

#include <dlfcn.h>
#include <pulse/error.h>
#include <pulse/simple.h>

namespace tj::sound {

// The few entry points of the simple API, looked up at run time so that the program
// neither needs the library to start nor pays for loading it before the first sound.
struct PulsePlayer::Library {
  void* handle = nullptr;
  decltype(&pa_simple_new) open = nullptr;
  decltype(&pa_simple_write) write = nullptr;
  decltype(&pa_simple_drain) drain = nullptr;
  decltype(&pa_simple_free) close = nullptr;
  decltype(&pa_strerror) error = nullptr;

  ~Library() {
    if (handle) dlclose(handle);
  }
  template <class F>
  bool find(F& fn, const char* name) {
    fn = reinterpret_cast<F>(dlsym(handle, name));
    return fn != nullptr;
  }
  // Empty when loaded, else why not.
  std::string load() {
    handle = dlopen("libpulse-simple.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!handle) return dlerror();
    if (find(open, "pa_simple_new") && find(write, "pa_simple_write") && find(drain, "pa_simple_drain") &&
        find(close, "pa_simple_free") && find(error, "pa_strerror"))
      return {};
    return "libpulse-simple.so.0 unvollständig";
  }
};

PulsePlayer::PulsePlayer(std::vector<std::filesystem::path> folders, Warn warn)
    : folders_(std::move(folders)), warn_(std::move(warn)) {}

PulsePlayer::~PulsePlayer() {
  {
    std::lock_guard lock(m_);
    stop_ = true;
    pending_.reset();
  }
  wake_.notify_one();
  if (worker_.joinable()) worker_.join();
}

void PulsePlayer::play(Sound s) {
  if (mute_) return;
  {
    std::lock_guard lock(m_);
    pending_ = s;
    if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
  }
  wake_.notify_one();
}

void PulsePlayer::finish() {
  std::unique_lock lock(m_);
  idle_.wait(lock, [this] { return !pending_ && !busy_; });
}

void PulsePlayer::run() {
  std::unique_lock lock(m_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || pending_; });
    if (stop_) return;
    const Sound s = *pending_;
    pending_.reset();
    busy_ = true;
    lock.unlock();
    playNow(s);
    lock.lock();
    busy_ = false;
    if (!pending_) idle_.notify_all();
  }
}

const Wave* PulsePlayer::wave(Sound s) {
  auto [it, fresh] = waves_.try_emplace(s);
  if (fresh) {
    const std::string name = std::string(kSoundFolder) + "/" + std::string(soundFile(s));
    for (const std::filesystem::path& folder : folders_)
      if ((it->second = readWav(folder / name))) break;
    if (!it->second) warn_("Ton nicht lesbar: " + name);  // once per file
  }
  return it->second ? &*it->second : nullptr;
}

void PulsePlayer::playNow(Sound s) {
  if (!lib_) {
    lib_ = std::make_unique<Library>();
    if (std::string why = lib_->load(); !why.empty()) {
      mute_ = true;
      warn_("Ton aus: " + why);
      return;
    }
  }
  const Wave* w = wave(s);
  if (!w || w->samples.empty()) return;
  const pa_sample_spec spec{PA_SAMPLE_S16LE, static_cast<uint32_t>(w->rate), 1};
  int err = 0;
  pa_simple* stream =
      lib_->open(nullptr, "Tank Jagd", PA_STREAM_PLAYBACK, nullptr, "Spielgeräusch", &spec, nullptr, nullptr, &err);
  if (!stream) {
    // The server may come later; try again at the next sound, but say it only once.
    if (!toldNoServer_) warn_(std::string("Ton aus: kein Tonserver erreichbar (") + lib_->error(err) + ")");
    toldNoServer_ = true;
    return;
  }
  if (lib_->write(stream, w->samples.data(), w->samples.size() * sizeof(int16_t), &err) == 0)
    lib_->drain(stream, &err);
  lib_->close(stream);
}

}  // namespace tj::sound
