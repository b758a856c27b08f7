#include "services/error.h"

#include <new>
#include <stdexcept>

namespace vorelka::services {

void Raise(int32_t number, std::string description) {
  Raise(Error{number, std::move(description)});
}

void Raise(Error error) {
  throw ErrorRaised(std::move(error));
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
