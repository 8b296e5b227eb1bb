// What the layers below the applet object (registry, get and set paths, description, debug
// points) need of it: the SDK runtime's typed calls on the applet's runtime handle, the live
// description records of port 0, and the applet's logger. The applet object implements it;
// nothing else of the applet is visible below it.
#pragma once

#include <cstdint>

#include "runtime/ParameterRecord.h"

namespace vurn::tools::logging {
class Logger;
}

namespace brenvik::runtime {

class AppletServices {
 public:
  // The SDK runtime's functions with the runtime handle in front. A function that the runtime
  // does not offer answers -12 (an id lookup answers 0).
  virtual int parameterId(const char* name) const = 0;
  virtual int getParameter(int id, void* value, unsigned dma, int type) const = 0;
  virtual int setParameter(int id, const void* value, unsigned dma, int type) const = 0;
  // The runtime's own save of its configuration to a file, and its own parameter
  // description (the newest root; null when the runtime offers none).
  virtual int saveConfig(const char* fileName) const = 0;
  virtual const ParameterRecord* runtimeParameterTree() const = 0;

  // The description record of an SDK parameter (or DRA_ entry) on port 0, or null before the
  // description is built and for ids without one. Changed under the parameter lock only.
  virtual ParameterRecord* descriptionRecord(std::int32_t id) const = 0;

  // The applet object's logger; all log output of the layers goes through it.
  virtual vurn::tools::logging::Logger* logger() = 0;

 protected:
  AppletServices() = default;
  ~AppletServices() = default;
  AppletServices(const AppletServices&) = default;
  AppletServices& operator=(const AppletServices&) = default;
};

}  // namespace brenvik::runtime
