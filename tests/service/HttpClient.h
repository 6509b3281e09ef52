// A blocking HTTP/1.1 client for talking to the service under test.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace glyphward_service_test {

struct Reply {
  int status = 0;
  std::string contentType;
  std::string body;
  std::map<std::string, std::string> headers;  // names in lower case
};

// One request on a connection of its own.
Reply Call(std::uint16_t port, const std::string& method, const std::string& target,
           const std::string& body = "");

// Sends `bytes` as they are and returns everything the server writes back
// before it closes the connection.
std::string SendRaw(std::uint16_t port, const std::string& bytes);

}  // namespace glyphward_service_test
