#include <fw/Exceptions.h>

namespace fw {

RuntimeException::RuntimeException(const std::string& message)
    : std::runtime_error(message)
{
}

NilObjectException::NilObjectException(const std::string& whatIsMissing)
    : RuntimeException(whatIsMissing + " is nil")
{
}

StackOverflowException::StackOverflowException(const std::string& message)
    : RuntimeException(message)
{
}

}
