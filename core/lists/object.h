#pragma once

namespace kivrel {

// Base of every object that can be attached to a string list entry. Lists only
// point to their objects; whoever owns the list decides when to free them.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject() = default;
};

}  // namespace kivrel
