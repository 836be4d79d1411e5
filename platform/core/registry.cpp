#include "platform/core/registry.h"

#include "platform/core/device.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

namespace plat {

namespace {

struct Value {
  std::string name;
  RegType type;
  std::string data;  // DWORD little-endian, UTF-16LE or raw bytes
};

struct Key {
  std::string path;  // "HKLM\..." as first created
  std::vector<Value> values;
};

using Store = std::vector<Key>;

const char* rootName(RegRoot r) {
  switch (r) {
    case RegRoot::LocalMachine: return "HKLM";
    case RegRoot::ClassesRoot: return "HKCR";
    case RegRoot::CurrentUser: return "HKCU";
  }
  return "HKLM";
}

std::string lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return r;
}

std::string normalise(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '/') c = '\\';
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out.push_back(c);
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

std::string fullPath(RegRoot r, std::string_view path) {
  std::string p = normalise(path);
  return p.empty() ? std::string(rootName(r)) : std::string(rootName(r)) + "\\" + p;
}

std::string storeFile() { return deviceRoot() + "/.registry"; }

std::string hex(std::string_view s) {
  static const char* d = "0123456789abcdef";
  std::string r;
  for (unsigned char c : s) {
    r.push_back(d[c >> 4]);
    r.push_back(d[c & 15]);
  }
  return r;
}

std::string unhex(std::string_view s) {
  std::string r;
  auto v = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
  for (size_t i = 0; i + 1 < s.size(); i += 2) r.push_back(static_cast<char>(v(s[i]) * 16 + v(s[i + 1])));
  return r;
}

// Lines: "K <hex path>" opens a key, "V <type> <hex name> <hex data>" adds a value to it.
Store load() {
  Store st;
  std::ifstream in(storeFile());
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() > 2 && line[0] == 'K') {
      st.push_back({unhex(line.substr(2)), {}});
    } else if (line.size() > 2 && line[0] == 'V' && !st.empty()) {
      std::istringstream ls(line.substr(2));
      int type = 0;
      std::string name, data;
      ls >> type >> name >> data;
      if (name == "-") name.clear();
      st.back().values.push_back({unhex(name), static_cast<RegType>(type), unhex(data)});
    }
  }
  return st;
}

bool save(const Store& st) {
  std::string tmp = storeFile() + ".tmp";
  {
    std::ofstream out(tmp, std::ios::trunc);
    if (!out) return false;
    for (const Key& k : st) {
      out << "K " << hex(k.path) << "\n";
      for (const Value& v : k.values) {
        out << "V " << static_cast<int>(v.type) << " " << (v.name.empty() ? "-" : hex(v.name)) << " " << hex(v.data)
            << "\n";
      }
    }
    if (!out) return false;
  }
  return std::rename(tmp.c_str(), storeFile().c_str()) == 0;
}

// Runs fn on the store under an exclusive lock; saves when fn returns true and wants saving.
template <typename Fn>
bool withStore(bool write, Fn fn) {
  if (deviceRoot().empty()) return false;
  std::string lockName = storeFile() + ".lock";
  int fd = ::open(lockName.c_str(), O_CREAT | O_RDWR, 0644);
  if (fd < 0) return false;
  ::flock(fd, write ? LOCK_EX : LOCK_SH);
  Store st = load();
  bool ok = fn(st);
  if (ok && write) ok = save(st);
  ::flock(fd, LOCK_UN);
  ::close(fd);
  return ok;
}

Key* findKey(Store& st, const std::string& full) {
  std::string want = lower(full);
  for (Key& k : st) {
    if (lower(k.path) == want) return &k;
  }
  return nullptr;
}

Value* findValue(Key& k, std::string_view name) {
  std::string want = lower(name);
  for (Value& v : k.values) {
    if (lower(v.name) == want) return &v;
  }
  return nullptr;
}

bool setValue(const RegKey& key, std::string_view name, RegType type, std::string data) {
  return withStore(true, [&](Store& st) {
    Key* k = findKey(st, fullPath(key.root, key.path));
    if (!k) return false;
    if (Value* v = findValue(*k, name)) {
      v->type = type;
      v->data = std::move(data);
    } else {
      k->values.push_back({std::string(name), type, std::move(data)});
    }
    return true;
  });
}

std::optional<Value> getValue(const RegKey& key, std::string_view name) {
  std::optional<Value> out;
  withStore(false, [&](Store& st) {
    Key* k = findKey(st, fullPath(key.root, key.path));
    if (!k) return false;
    if (Value* v = findValue(*k, name)) out = *v;
    return true;
  });
  return out;
}

}  // namespace

std::optional<RegKey> regOpenKey(RegRoot root, std::string_view path) {
  if (!regKeyExists(root, path)) return std::nullopt;
  return RegKey{root, normalise(path)};
}

bool regKeyExists(RegRoot root, std::string_view path) {
  if (normalise(path).empty()) return true;
  bool found = false;
  withStore(false, [&](Store& st) {
    found = findKey(st, fullPath(root, path)) != nullptr;
    return true;
  });
  return found;
}

std::optional<RegKey> regCreateKey(RegRoot root, std::string_view path) {
  std::string p = normalise(path);
  bool ok = withStore(true, [&](Store& st) {
    std::string cur = rootName(root);
    size_t start = 0;
    while (start <= p.size() && !p.empty()) {
      size_t end = p.find('\\', start);
      if (end == std::string::npos) end = p.size();
      cur += "\\" + p.substr(start, end - start);
      if (!findKey(st, cur)) st.push_back({cur, {}});
      start = end + 1;
    }
    return true;
  });
  if (!ok) return std::nullopt;
  return RegKey{root, p};
}

bool regSetDword(const RegKey& key, std::string_view name, std::uint32_t value) {
  std::string d(4, '\0');
  for (int i = 0; i < 4; ++i) d[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return setValue(key, name, RegType::Dword, d);
}

bool regSetString(const RegKey& key, std::string_view name, std::u16string_view value) {
  std::string d;
  for (char16_t c : value) {
    d.push_back(static_cast<char>(c & 0xFF));
    d.push_back(static_cast<char>(c >> 8));
  }
  return setValue(key, name, RegType::String, d);
}

bool regSetBinary(const RegKey& key, std::string_view name, std::string_view bytes) {
  return setValue(key, name, RegType::Binary, std::string(bytes));
}

std::optional<std::uint32_t> regGetDword(const RegKey& key, std::string_view name) {
  auto v = getValue(key, name);
  if (!v || v->type != RegType::Dword || v->data.size() != 4) return std::nullopt;
  std::uint32_t r = 0;
  for (int i = 0; i < 4; ++i) r |= static_cast<std::uint32_t>(static_cast<unsigned char>(v->data[i])) << (8 * i);
  return r;
}

std::optional<std::u16string> regGetString(const RegKey& key, std::string_view name) {
  auto v = getValue(key, name);
  if (!v || v->type != RegType::String) return std::nullopt;
  std::u16string s;
  for (size_t i = 0; i + 1 < v->data.size(); i += 2) {
    s.push_back(static_cast<char16_t>(static_cast<unsigned char>(v->data[i]) |
                                      (static_cast<unsigned char>(v->data[i + 1]) << 8)));
  }
  return s;
}

std::optional<std::string> regGetBinary(const RegKey& key, std::string_view name) {
  auto v = getValue(key, name);
  if (!v) return std::nullopt;
  return v->data;
}

std::optional<RegType> regValueType(const RegKey& key, std::string_view name) {
  auto v = getValue(key, name);
  if (!v) return std::nullopt;
  return v->type;
}

std::vector<std::string> regSubKeys(const RegKey& key) {
  std::vector<std::string> out;
  std::string prefix = lower(fullPath(key.root, key.path)) + "\\";
  withStore(false, [&](Store& st) {
    for (const Key& k : st) {
      std::string l = lower(k.path);
      if (l.size() > prefix.size() && l.compare(0, prefix.size(), prefix) == 0 &&
          l.find('\\', prefix.size()) == std::string::npos) {
        out.push_back(k.path.substr(prefix.size()));
      }
    }
    return true;
  });
  return out;
}

std::vector<std::string> regValueNames(const RegKey& key) {
  std::vector<std::string> out;
  withStore(false, [&](Store& st) {
    if (Key* k = findKey(st, fullPath(key.root, key.path))) {
      for (const Value& v : k->values) out.push_back(v.name);
    }
    return true;
  });
  return out;
}

bool regDeleteValue(const RegKey& key, std::string_view name) {
  return withStore(true, [&](Store& st) {
    Key* k = findKey(st, fullPath(key.root, key.path));
    if (!k) return false;
    std::string want = lower(name);
    for (auto it = k->values.begin(); it != k->values.end(); ++it) {
      if (lower(it->name) == want) {
        k->values.erase(it);
        return true;
      }
    }
    return false;
  });
}

bool regDeleteKey(RegRoot root, std::string_view path) {
  std::string full = lower(fullPath(root, path));
  if (normalise(path).empty()) return false;
  return withStore(true, [&](Store& st) {
    size_t before = st.size();
    std::erase_if(st, [&](const Key& k) {
      std::string l = lower(k.path);
      return l == full || (l.size() > full.size() && l.compare(0, full.size() + 1, full + "\\") == 0);
    });
    return st.size() != before;
  });
}

}  // namespace plat
