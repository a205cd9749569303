/// @file
/// The intrusive reference count shared by views, bitmaps and drawing contexts.
#pragma once

#include <cstdint>

namespace PLUGGUI {

/// Base of every shared toolkit object. The creator holds the first
/// reference; the last forget destroys the object.
class CReferenceCounter {
 public:
  /// Starts with one reference, the creator's.
  CReferenceCounter();
  /// Runs from the last forget; an object others may still hold is never deleted directly.
  virtual ~CReferenceCounter();
  CReferenceCounter(const CReferenceCounter&) = delete;
  CReferenceCounter& operator=(const CReferenceCounter&) = delete;

  /// Gives back one reference; the last one deletes the object, so the caller must not touch
  /// it afterwards.
  virtual void forget();
  /// Takes one more reference, to be given back with forget.
  virtual void remember();

 private:
  int32_t referenceCount;
};

}  // namespace PLUGGUI
