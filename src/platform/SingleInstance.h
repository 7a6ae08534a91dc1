#pragma once

#include <functional>
#include <string>

namespace platform {

// One running instance per user logon. The first start holds a named lock for the life of its
// process; a later start hands over to it and ends.
class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  // Takes the lock. False only when a running instance holds it: a lock left behind by an
  // instance that died does not count, and a lock that cannot be created lets the start go on.
  virtual bool Acquire(const std::u16string& name) = 0;
  // In the instance holding the lock: from now on `activate` runs on the UI thread whenever a
  // later start hands over.
  virtual void AcceptHandOver(std::function<void()> activate) = 0;
  // In a later start: makes the running instance restore its main window, found by its class
  // and title where the system finds windows that way, and bring it to the front. Does nothing
  // when that instance cannot be reached.
  virtual void HandOver(const std::u16string& windowClass, const std::u16string& windowTitle) = 0;
};

SingleInstance& SystemSingleInstance();

}  // namespace platform
