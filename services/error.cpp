#include "services/error.h"

#include <new>
#include <stdexcept>

namespace vorelka::services {

void Raise(int32_t number, std::string description) {
  throw ErrorRaised(Error{number, std::move(description)});
}

Error CurrentError() noexcept {
  try {
    throw;
  } catch (const ErrorRaised& raised) {
    return raised.error();
  } catch (const std::bad_alloc&) {
    return Error{kErrOutOfMemory, "Out of memory"};
  } catch (const std::overflow_error& e) {
    return Error{kErrOverflow, std::string("Overflow: ") + e.what()};
  } catch (const std::exception& e) {
    return Error{kErrInternal, std::string("Internal error: ") + e.what()};
  } catch (...) {
    return Error{kErrInternal, "Internal error"};
  }
}

}  // namespace vorelka::services
