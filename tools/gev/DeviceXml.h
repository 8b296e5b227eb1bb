// The device's GenICam description, written from the register map: a feature node and a
// big-endian register node on the port "Device" for every register, grouped in categories.
#pragma once

#include <string>

#include "tools/gev/Features.h"

namespace brenvik::gev {

struct XmlIdentity {
  std::string vendor;  // both must be GenICam names: letters, digits, '_'
  std::string model;
};

std::string deviceXml(const RegisterMap& registers, const XmlIdentity& identity);

}  // namespace brenvik::gev
