#include "platform/core/waveout.h"
#include "platform/core/little_endian.h"

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace plat {

namespace {

constexpr std::uint32_t kBytesPerSecond = 16000;
constexpr std::size_t kChunkBytes = 1600;  // 100 ms

// Where the samples go.
class Sink {
 public:
  virtual ~Sink() = default;
  virtual void write(const char* data, std::size_t n) = 0;
  // True when the device thread paces the blocks by the clock.
  virtual bool paced() const = 0;
  // Waits until the device has nearly played what it holds; stops early when asked to.
  virtual void settle(const std::atomic<bool>& /*stop*/) {}
  // Throws away what the device still holds.
  virtual void drop() {}
};

class NullSink : public Sink {
 public:
  void write(const char*, std::size_t) override {}
  bool paced() const override { return true; }
};


// A WAV file of 16-bit mono PCM at 8 kHz. The first device a process opens on a path starts the
// file anew; later devices of the same process append to it (a file of another format is
// replaced). The sizes in the header are brought up to date after every write, so the file is
// whole at any time.
class WavSink : public Sink {
 public:
  WavSink(std::FILE* f, std::uint32_t dataBytes, bool paced) : f_(f), dataBytes_(dataBytes), paced_(paced) {}
  ~WavSink() override { std::fclose(f_); }

  static std::unique_ptr<Sink> open(const std::string& path, bool paced) {
    std::uint32_t dataBytes = 0;
    std::FILE* f = startedBefore(path) ? std::fopen(path.c_str(), "r+b") : nullptr;
    if (f) {
      unsigned char h[44];
      if (std::fread(h, 1, 44, f) == 44 && headerMatches(h)) {
        dataBytes = plat::readLe32(h + 40);
        std::fseek(f, 0, SEEK_END);
        long size = std::ftell(f);
        if (size < 44 || static_cast<std::uint32_t>(size - 44) < dataBytes) dataBytes = static_cast<std::uint32_t>(size < 44 ? 0 : size - 44);
      } else {
        std::fclose(f);
        f = nullptr;
      }
    }
    if (!f) {
      f = std::fopen(path.c_str(), "w+b");
      if (!f) return nullptr;
    }
    auto sink = std::make_unique<WavSink>(f, dataBytes & ~1u, paced);
    if (!sink->updateHeader()) return nullptr;
    return sink;
  }

  void write(const char* data, std::size_t n) override {
    if (std::fseek(f_, 44 + static_cast<long>(dataBytes_), SEEK_SET) != 0) return;
    std::size_t done = std::fwrite(data, 1, n, f_);
    dataBytes_ += static_cast<std::uint32_t>(done);
    updateHeader();
  }
  bool paced() const override { return paced_; }

 private:
  // True when this process opened a device on the path before; notes the path.
  static bool startedBefore(const std::string& path) {
    static std::mutex mutex;
    static std::set<std::string> started;
    std::lock_guard<std::mutex> lock(mutex);
    return !started.insert(path).second;
  }

  static bool headerMatches(const unsigned char* h) {
    return std::memcmp(h, "RIFF", 4) == 0 && std::memcmp(h + 8, "WAVEfmt ", 8) == 0 && plat::readLe32(h + 16) == 16 &&
           h[20] == 1 && h[21] == 0 && h[22] == 1 && h[23] == 0 && plat::readLe32(h + 24) == 8000 && h[34] == 16 &&
           h[35] == 0 && std::memcmp(h + 36, "data", 4) == 0;
  }

  bool updateHeader() {
    unsigned char h[44];
    std::memcpy(h, "RIFF", 4);
    plat::writeLe32(h + 4, 36 + dataBytes_);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    plat::writeLe32(h + 16, 16);
    h[20] = 1, h[21] = 0;  // PCM
    h[22] = 1, h[23] = 0;  // mono
    plat::writeLe32(h + 24, 8000);
    plat::writeLe32(h + 28, kBytesPerSecond);
    h[32] = 2, h[33] = 0;
    h[34] = 16, h[35] = 0;
    std::memcpy(h + 36, "data", 4);
    plat::writeLe32(h + 40, dataBytes_);
    if (std::fseek(f_, 0, SEEK_SET) != 0 || std::fwrite(h, 1, 44, f_) != 44) return false;
    return std::fflush(f_) == 0;
  }

  std::FILE* f_;
  std::uint32_t dataBytes_;
  bool paced_;
};

// libasound, bound by name the first time a device opens.
struct AlsaApi {
  using Open = int (*)(void**, const char*, int, int);
  using SetParams = int (*)(void*, int, int, unsigned, unsigned, int, unsigned);
  using Writei = long (*)(void*, const void*, unsigned long);
  using Recover = int (*)(void*, int, int);
  using Simple = int (*)(void*);
  using Delay = int (*)(void*, long*);
  using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
  using SetErrorHandler = int (*)(ErrorHandler);
  Open open = nullptr;
  SetParams setParams = nullptr;
  Writei writei = nullptr;
  Recover recover = nullptr;
  Simple drop = nullptr;
  Simple prepare = nullptr;
  Simple close = nullptr;
  Delay delay = nullptr;
  bool loaded = false;
};

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

const AlsaApi& alsaApi() {
  static const AlsaApi api = [] {
    AlsaApi a;
    void* lib = ::dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!lib) return a;
    a.open = reinterpret_cast<AlsaApi::Open>(::dlsym(lib, "snd_pcm_open"));
    a.setParams = reinterpret_cast<AlsaApi::SetParams>(::dlsym(lib, "snd_pcm_set_params"));
    a.writei = reinterpret_cast<AlsaApi::Writei>(::dlsym(lib, "snd_pcm_writei"));
    a.recover = reinterpret_cast<AlsaApi::Recover>(::dlsym(lib, "snd_pcm_recover"));
    a.drop = reinterpret_cast<AlsaApi::Simple>(::dlsym(lib, "snd_pcm_drop"));
    a.prepare = reinterpret_cast<AlsaApi::Simple>(::dlsym(lib, "snd_pcm_prepare"));
    a.close = reinterpret_cast<AlsaApi::Simple>(::dlsym(lib, "snd_pcm_close"));
    a.delay = reinterpret_cast<AlsaApi::Delay>(::dlsym(lib, "snd_pcm_delay"));
    // The library's own complaints (no sound card, ...) are not ours to print.
    if (auto quiet = reinterpret_cast<AlsaApi::SetErrorHandler>(::dlsym(lib, "snd_lib_error_set_handler"))) {
      quiet(ignoreAlsaError);
    }
    a.loaded = a.open && a.setParams && a.writei && a.recover && a.drop && a.prepare && a.close && a.delay;
    return a;
  }();
  return api;
}

class AlsaSink : public Sink {
 public:
  explicit AlsaSink(void* pcm) : pcm_(pcm) {}
  ~AlsaSink() override {
    alsaApi().drop(pcm_);
    alsaApi().close(pcm_);
  }

  static std::unique_ptr<Sink> open() {
    const AlsaApi& a = alsaApi();
    if (!a.loaded) return nullptr;
    void* pcm = nullptr;
    constexpr int kPlayback = 0, kFormatS16Le = 2, kAccessRwInterleaved = 3;
    if (a.open(&pcm, "default", kPlayback, 0) < 0 || !pcm) return nullptr;
    if (a.setParams(pcm, kFormatS16Le, kAccessRwInterleaved, 1, 8000, 1, 200000) < 0) {
      a.close(pcm);
      return nullptr;
    }
    return std::make_unique<AlsaSink>(pcm);
  }

  void write(const char* data, std::size_t n) override {
    const AlsaApi& a = alsaApi();
    unsigned long frames = n / 2;
    while (frames > 0) {
      long w = a.writei(pcm_, data, frames);
      if (w < 0) {
        if (a.recover(pcm_, static_cast<int>(w), 1) < 0) return;
        continue;
      }
      frames -= static_cast<unsigned long>(w);
      data += w * 2;
    }
  }
  bool paced() const override { return false; }

  void settle(const std::atomic<bool>& stop) override {
    // A block counts as played once less than 40 ms of it is left in the device.
    long delay = 0;
    while (!stop.load() && alsaApi().delay(pcm_, &delay) == 0 && delay > 320) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  void drop() override {
    alsaApi().drop(pcm_);
    alsaApi().prepare(pcm_);
  }

 private:
  void* pcm_;
};

struct Device {
  WaveOut id = 0;
  WaveCallback callback = nullptr;
  std::uintptr_t instance = 0;
  std::unique_ptr<Sink> sink;

  std::mutex m;
  std::condition_variable wake;  // work for the device thread
  std::condition_variable idle;  // the device thread has handed everything back
  std::deque<WaveHeader*> queue;
  bool busy = false;       // a header is taken off the queue and not yet marked done
  bool notifying = false;  // the done message of a header is being delivered
  bool closing = false;
  std::atomic<bool> stop{false};  // reset asked for: cut the block short
  std::thread thread;

  void notify(unsigned message, WaveHeader* header) {
    if (callback) callback(id, message, instance, header);
  }

  void play(WaveHeader* h) {
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    std::size_t pos = 0;
    while (pos < h->length && !stop.load()) {
      std::size_t n = std::min<std::size_t>(kChunkBytes, h->length - pos);
      sink->write(h->data + pos, n);
      pos += n;
      if (sink->paced()) {
        auto due = start + std::chrono::microseconds(static_cast<long long>(pos) * 1000000 / kBytesPerSecond);
        std::unique_lock<std::mutex> lock(m);
        wake.wait_until(lock, due, [&] { return stop.load(); });
      }
    }
    if (!stop.load()) sink->settle(stop);
    if (stop.load()) sink->drop();
  }

  void run() {
    notify(kWomOpen, nullptr);
    std::unique_lock<std::mutex> lock(m);
    for (;;) {
      wake.wait(lock, [&] { return !queue.empty() || closing; });
      if (queue.empty()) break;
      WaveHeader* h = queue.front();
      queue.pop_front();
      busy = true;
      bool handBack = stop.load();
      lock.unlock();
      if (!handBack) play(h);
      // The header is handed back before its done message goes out: a caller told by the message
      // may close the device at once, as it may on the handheld.
      lock.lock();
      h->flags = (h->flags & ~kWaveHeaderInQueue) | kWaveHeaderDone;
      busy = false;
      notifying = true;
      lock.unlock();
      notify(kWomDone, h);
      lock.lock();
      notifying = false;
      if (queue.empty()) idle.notify_all();
    }
    lock.unlock();
    notify(kWomClose, nullptr);
  }
};

std::mutex gDevicesMutex;
std::map<WaveOut, std::shared_ptr<Device>> gDevices;
std::atomic<WaveOut> gNextId{1};
int gFailOpens = 0;
unsigned gFailResult = kWaveError;

std::shared_ptr<Device> findDevice(WaveOut id) {
  std::lock_guard<std::mutex> lock(gDevicesMutex);
  auto it = gDevices.find(id);
  return it == gDevices.end() ? nullptr : it->second;
}

std::unique_ptr<Sink> openSink(unsigned& result) {
  const char* env = std::getenv(kWaveOutEnv);
  std::string choice = env ? env : "";
  result = kWaveOk;
  if (choice.empty()) {
    if (auto s = AlsaSink::open()) return s;
    return std::make_unique<NullSink>();
  }
  if (choice == "null") return std::make_unique<NullSink>();
  if (choice == "alsa") {
    if (auto s = AlsaSink::open()) return s;
    result = kWaveNoDriver;
    return nullptr;
  }
  for (const char* prefix : {"wav:", "wavfast:"}) {
    std::size_t n = std::strlen(prefix);
    if (choice.compare(0, n, prefix) == 0 && choice.size() > n) {
      if (auto s = WavSink::open(choice.substr(n), prefix[3] == ':')) return s;
      result = kWaveError;
      return nullptr;
    }
  }
  result = kWaveNoDriver;
  return nullptr;
}

}  // namespace

unsigned waveOpen(WaveOut* device, const WaveFormat& format, WaveCallback callback, std::uintptr_t instance) {
  if (!device) return kWaveInvalidParam;
  *device = 0;
  {
    std::lock_guard<std::mutex> lock(gDevicesMutex);
    if (gFailOpens > 0) {
      --gFailOpens;
      return gFailResult;
    }
  }
  if (format.formatTag != 1 || format.channels != 1 || format.samplesPerSec != 8000 || format.bitsPerSample != 16 ||
      format.blockAlign != 2 || format.avgBytesPerSec != kBytesPerSecond) {
    return kWaveBadFormat;
  }
  unsigned result = kWaveOk;
  auto sink = openSink(result);
  if (!sink) return result;
  auto d = std::make_shared<Device>();
  d->id = gNextId.fetch_add(1);
  d->callback = callback;
  d->instance = instance;
  d->sink = std::move(sink);
  d->thread = std::thread([raw = d.get()] { raw->run(); });
  {
    std::lock_guard<std::mutex> lock(gDevicesMutex);
    gDevices[d->id] = d;
  }
  *device = d->id;
  return kWaveOk;
}

unsigned wavePrepare(WaveOut device, WaveHeader* header) {
  auto d = findDevice(device);
  if (!d) return kWaveInvalidHandle;
  if (!header || (!header->data && header->length > 0)) return kWaveInvalidParam;
  std::lock_guard<std::mutex> lock(d->m);
  header->flags = (header->flags & ~kWaveHeaderDone) | kWaveHeaderPrepared;
  return kWaveOk;
}

unsigned waveUnprepare(WaveOut device, WaveHeader* header) {
  auto d = findDevice(device);
  if (!d) return kWaveInvalidHandle;
  if (!header) return kWaveInvalidParam;
  std::lock_guard<std::mutex> lock(d->m);
  if (header->flags & kWaveHeaderInQueue) return kWaveStillPlaying;
  header->flags &= ~kWaveHeaderPrepared;
  return kWaveOk;
}

unsigned waveWrite(WaveOut device, WaveHeader* header) {
  auto d = findDevice(device);
  if (!d) return kWaveInvalidHandle;
  if (!header) return kWaveInvalidParam;
  std::lock_guard<std::mutex> lock(d->m);
  if (!(header->flags & kWaveHeaderPrepared)) return kWaveUnprepared;
  if (header->flags & kWaveHeaderInQueue) return kWaveStillPlaying;
  if (d->closing) return kWaveInvalidHandle;
  header->flags = (header->flags & ~kWaveHeaderDone) | kWaveHeaderInQueue;
  d->queue.push_back(header);
  d->wake.notify_all();
  return kWaveOk;
}

unsigned waveReset(WaveOut device) {
  auto d = findDevice(device);
  if (!d) return kWaveInvalidHandle;
  if (std::this_thread::get_id() == d->thread.get_id()) return kWaveError;
  std::unique_lock<std::mutex> lock(d->m);
  d->stop.store(true);
  d->wake.notify_all();
  d->idle.wait(lock, [&] { return d->queue.empty() && !d->busy && !d->notifying; });
  d->stop.store(false);
  return kWaveOk;
}

unsigned waveClose(WaveOut device) {
  auto d = findDevice(device);
  if (!d) return kWaveInvalidHandle;
  if (std::this_thread::get_id() == d->thread.get_id()) return kWaveError;
  {
    std::lock_guard<std::mutex> lock(d->m);
    if (!d->queue.empty() || d->busy) return kWaveStillPlaying;
    if (d->closing) return kWaveInvalidHandle;
    d->closing = true;
    d->wake.notify_all();
  }
  d->thread.join();
  {
    std::lock_guard<std::mutex> lock(gDevicesMutex);
    gDevices.erase(device);
  }
  return kWaveOk;
}

void failNextWaveOpens(int count, unsigned result) {
  std::lock_guard<std::mutex> lock(gDevicesMutex);
  gFailOpens = count;
  gFailResult = result;
}

int openWaveDeviceCount() {
  std::lock_guard<std::mutex> lock(gDevicesMutex);
  return static_cast<int>(gDevices.size());
}

}  // namespace plat
