// Runtime handles and the runtime's calls (for dravlib5): every call checks its handle in
// the registry and leaves its result as the handle's last error.
#include "Guarded.h"
#include "ParameterInfoTree.h"
#include "Registry.h"
#include "runtime/SdkRuntime.h"
#include "simboard/BoardApi.h"

namespace brenvik::simboard::api {

namespace {

// Runs `body` with the handle's session; the result (0 for any success value) becomes the
// handle's last error.
template <typename Result, typename Body>
Result withSession(void* runtime, Body&& body) noexcept {
  RuntimeSession* session = nullptr;
  try {
    session = cachedSession(runtime);
    if (session == nullptr) return SIMBOARD_INVALID_HANDLE;
    Result result = body(*session);
    session->setLastError(result < 0 ? static_cast<std::int32_t>(result) : SIMBOARD_OK);
    return result;
  } catch (...) {
    if (session != nullptr) session->setLastError(SIMBOARD_INTERNAL_ERROR);
    return SIMBOARD_INTERNAL_ERROR;
  }
}

}  // namespace

void* initRuntime(std::uint64_t board, void* design) noexcept {
  try {
    DesignPtr found = findDesign(design);
    if (!found) {
      setLastInitError(SIMBOARD_INIT_FAILED);
      return nullptr;
    }
    std::shared_ptr<Board> target = boardFor(board);
    target->load(std::move(found));
    return registerSession(std::make_shared<RuntimeSession>(std::move(target)));
  } catch (...) {
    setLastInitError(SIMBOARD_INIT_FAILED);
    return nullptr;
  }
}

void recordInitFailure(std::int32_t code) noexcept { setLastInitError(code); }

std::int32_t freeRuntime(void* runtime) noexcept {
  return guarded<std::int32_t>(SIMBOARD_INTERNAL_ERROR, [&] {
    std::shared_ptr<RuntimeSession> session = removeSession(runtime);
    if (!session) return SIMBOARD_INVALID_HANDLE;
    // Freeing the handle ends its board's acquisition (stopping a stopped one is no
    // concern here); the board keeps its values and journal for inspection. Strings
    // still handed out go with the session.
    static_cast<void>(session->board().stopAcquisition(0));
    return SIMBOARD_OK;
  });
}

std::int32_t lastError(void* runtime) noexcept {
  if (runtime == nullptr) return lastInitError();
  return guarded<std::int32_t>(SIMBOARD_INTERNAL_ERROR, [&] {
    std::shared_ptr<RuntimeSession> session = findSession(runtime);
    return session ? session->lastError() : SIMBOARD_INVALID_HANDLE;
  });
}

std::int32_t parameterId(void* runtime, const char* name) noexcept {
  std::int32_t result =
      withSession<std::int32_t>(runtime, [&](RuntimeSession& session) -> std::int32_t {
        std::int32_t id = name == nullptr ? 0 : session.board().parameterId(name);
        return id > 0 ? id : SIMBOARD_INVALID_PARAMETER;
      });
  // Unknown and missing names give id 0; the handle's last error says SIMBOARD_INVALID_PARAMETER.
  return result == SIMBOARD_INVALID_PARAMETER ? 0 : result;
}

std::int32_t setParameter(void* runtime, std::int32_t id, const void* value, std::uint32_t dma,
                          std::int32_t type) noexcept {
  return withSession<std::int32_t>(runtime, [&](RuntimeSession& session) {
    return session.board().setParameter(id, value, dma, type);
  });
}

std::int32_t getParameter(void* runtime, std::int32_t id, void* value, std::uint32_t dma,
                          std::int32_t type) noexcept {
  return withSession<std::int32_t>(runtime, [&](RuntimeSession& session) -> std::int32_t {
    char* handedOut = nullptr;
    std::int32_t result = session.board().getParameter(id, value, dma, type, &handedOut);
    if (handedOut != nullptr && !session.keepString(handedOut)) {
      *static_cast<char**>(value) = nullptr;
      return SIMBOARD_INTERNAL_ERROR;
    }
    return result;
  });
}

std::int32_t freeParameterString(void* runtime, std::int32_t /*id*/, void* value,
                                 std::uint32_t /*dma*/, std::int32_t type) noexcept {
  // The address alone identifies the string; id and DMA index are not needed to free it.
  return withSession<std::int32_t>(runtime, [&](RuntimeSession& session) -> std::int32_t {
    if (type != runtime::kTypeStringCopy) return SIMBOARD_WRONG_TYPE;
    if (value == nullptr) return SIMBOARD_INVALID_PARAMETER;
    if (!session.releaseString(static_cast<char*>(value))) return SIMBOARD_INVALID_PARAMETER;
    return SIMBOARD_OK;
  });
}

const runtime::ParameterRecord* parameterInfo(void* runtime, std::int32_t port) noexcept {
  const runtime::ParameterRecord* root = nullptr;
  withSession<std::int32_t>(runtime, [&](RuntimeSession& session) -> std::int32_t {
    if (port != 0) return SIMBOARD_INVALID_PARAMETER;
    DesignPtr design = session.board().design();
    if (!design) return SIMBOARD_NO_DESIGN;
    // The tree belongs to the design, which stays alive while it is loaded on the board
    // or its hardware-applet handle is open.
    root = design->parameterInfo().newestRoot();
    return SIMBOARD_OK;
  });
  return root;
}

std::int32_t saveConfiguration(void* runtime, const char* path) noexcept {
  return withSession<std::int32_t>(
      runtime, [&](RuntimeSession& session) { return session.board().saveConfiguration(path); });
}

std::int32_t loadConfiguration(void* runtime, const char* path) noexcept {
  return withSession<std::int32_t>(runtime, [&](RuntimeSession&) -> std::int32_t {
    if (path == nullptr) return SIMBOARD_INVALID_PARAMETER;
    return SIMBOARD_NOT_SUPPORTED;
  });
}

std::int32_t appletId(void* runtime) noexcept {
  return withSession<std::int32_t>(runtime, [&](RuntimeSession& session) -> std::int32_t {
    DesignPtr design = session.board().design();
    if (!design) return SIMBOARD_NO_DESIGN;
    return design->appletId;
  });
}

std::int32_t startAcquisition(void* runtime, std::uint32_t dma, std::int64_t pictures,
                              void* memory) noexcept {
  return withSession<std::int32_t>(runtime, [&](RuntimeSession& session) {
    return session.board().startAcquisition(dma, pictures, findBuffers(memory));
  });
}

std::int32_t stopAcquisition(void* runtime, std::uint32_t dma) noexcept {
  return withSession<std::int32_t>(
      runtime, [&](RuntimeSession& session) { return session.board().stopAcquisition(dma); });
}

std::int64_t lastPicture(void* runtime, std::uint32_t dma) noexcept {
  return withSession<std::int64_t>(
      runtime, [&](RuntimeSession& session) { return session.board().lastPicture(dma); });
}

std::int64_t waitForPicture(void* runtime, std::int64_t picture, std::uint32_t dma,
                            int timeoutSeconds) noexcept {
  return withSession<std::int64_t>(runtime, [&](RuntimeSession& session) {
    return session.board().waitForPicture(picture, dma, timeoutSeconds);
  });
}

std::int64_t acquisitionStatus(void* runtime, int selector, std::int64_t data,
                               std::uint32_t dma) noexcept {
  return withSession<std::int64_t>(runtime, [&](RuntimeSession& session) {
    return session.board().status(selector, data, dma);
  });
}

}  // namespace brenvik::simboard::api
