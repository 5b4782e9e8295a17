#pragma once

#include <memory>

namespace imaging {

// A value of T shared between copies until one of them writes: read() never copies, write()
// gives this holder a T of its own first when another holder shares it. A reference or pointer
// from write() must not be kept across a copy of the holder. Holders are not meant to be used
// from several threads at once.
template <class T>
class CopyOnWrite {
  public:
    CopyOnWrite() = default;
    explicit CopyOnWrite(T value) : data_(std::make_shared<T>(std::move(value))) {}

    const T& read() const { return data_ ? *data_ : empty(); }

    T& write() {
        if (!data_) {
            data_ = std::make_shared<T>();
        } else if (data_.use_count() > 1) {
            data_ = std::make_shared<T>(*data_);
        }
        return *data_;
    }

    bool sharesWith(const CopyOnWrite& other) const { return data_ == other.data_; }

  private:
    static const T& empty() {
        static const T value{};
        return value;
    }

    std::shared_ptr<T> data_;
};

}  // namespace imaging
