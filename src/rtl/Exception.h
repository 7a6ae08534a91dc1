#pragma once

#include <exception>
#include <string>

// Base of every error the application reports to the user: the message is shown as it stands.
class Exception : public std::exception {
 public:
  explicit Exception(std::u16string message);

  const std::u16string& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FUtf8Message.c_str(); }

 private:
  std::u16string FMessage;
  std::string FUtf8Message;
};
