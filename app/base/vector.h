#pragma once
#include <algorithm>
#include <list>
#include <vector>

// Writes "err V[..]" / "err L[..]" for a bad index to both logs and asks the game
// window to close. kind is 'V' for vectors, 'L' for lists.
void ReportBadIndex(char kind, int index, int count, int elementSize);

// A vector whose indexed access is range-tested: a bad index never reads outside
// the storage; it is reported, the game is asked to close and the caller gets
// element 0 so that it can finish its current step.
template <class T>
class cVector : public std::vector<T> {
 public:
  using std::vector<T>::vector;
  cVector() = default;
  // count default elements
  explicit cVector(int count) : std::vector<T>(count > 0 ? static_cast<size_t>(count) : 0, T()) {}

  int Count() const { return static_cast<int>(this->size()); }

  T& At(int index) {
    if (index >= 0 && index < Count()) return (*this)[static_cast<size_t>(index)];
    ReportBadIndex('V', index, Count(), static_cast<int>(sizeof(T)));
    if (!this->empty()) return this->front();
    return EmptyDefault();
  }
  const T& At(int index) const { return const_cast<cVector*>(this)->At(index); }

  void Fill(const T& value) {
    for (int i = 0; i < Count(); ++i) At(i) = value;
  }

  // Removes every element equal to value; true when at least one was removed.
  bool Remove(const T& value) {
    auto it = std::remove(this->begin(), this->end(), value);
    bool removed = it != this->end();
    this->erase(it, this->end());
    return removed;
  }

 private:
  // An empty vector has no element 0: the caller gets a fresh default element
  // instead of an abort, and the close request ends the game.
  static T& EmptyDefault() {
    thread_local T value{};
    value = T{};
    return value;
  }
};

// A doubly linked list with the same range-tested index access.
template <class T>
class cList : public std::list<T> {
 public:
  using std::list<T>::list;

  int Count() const { return static_cast<int>(this->size()); }

  T& At(int index) {
    if (index >= 0 && index < Count()) {
      auto it = this->begin();
      std::advance(it, index);
      return *it;
    }
    ReportBadIndex('L', index, Count(), static_cast<int>(sizeof(T)));
    return Default();
  }

  // Erases the n-th element; returns the position after it, or end() when n is out of range.
  typename std::list<T>::iterator EraseAt(int n) {
    if (n < 0 || n >= Count()) return this->end();
    auto it = this->begin();
    std::advance(it, n);
    return this->erase(it);
  }

  // Inserts before the n-th element; n at or above the count appends.
  void InsertAt(int n, const T& value) {
    if (n <= 0) {
      this->push_front(value);
      return;
    }
    if (n >= Count()) {
      this->push_back(value);
      return;
    }
    auto it = this->begin();
    std::advance(it, n);
    this->insert(it, value);
  }

 private:
  // The default element that a bad index returns; reset for every bad access so
  // that what one caller wrote into it does not reach the next.
  static T& Default() {
    thread_local T value{};
    value = T{};
    return value;
  }
};
