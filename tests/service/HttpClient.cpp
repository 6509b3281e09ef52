#include "HttpClient.h"

#include <utility>  // before Asio, whose coroutine header needs std::exchange

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

namespace glyphward_service_test {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

tcp::endpoint Loopback(std::uint16_t port) {
  return {asio::ip::make_address("127.0.0.1"), port};
}

}  // namespace

Reply Call(std::uint16_t port, const std::string& method, const std::string& target,
           const std::string& body) {
  asio::io_context ioc;
  tcp::socket socket(ioc);
  socket.connect(Loopback(port));
  http::request<http::string_body> request(http::string_to_verb(method), target, 11);
  if (request.method() == http::verb::unknown) request.method_string(method);
  request.set(http::field::host, "127.0.0.1");
  if (!body.empty()) request.set(http::field::content_type, "application/json");
  request.body() = body;
  request.prepare_payload();
  http::write(socket, request);

  beast::flat_buffer buffer;
  http::response_parser<http::string_body> parser;
  parser.body_limit(64 * 1024 * 1024);
  http::read(socket, buffer, parser);
  const auto& response = parser.get();
  Reply reply;
  reply.status = int(response.result_int());
  reply.body = response.body();
  for (const auto& field : response) {
    std::string name(field.name_string());
    for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
    reply.headers[name] = std::string(field.value());
  }
  reply.contentType = reply.headers["content-type"];
  return reply;
}

std::string SendRaw(std::uint16_t port, const std::string& bytes) {
  asio::io_context ioc;
  tcp::socket socket(ioc);
  socket.connect(Loopback(port));
  asio::write(socket, asio::buffer(bytes));
  std::string received;
  char chunk[4096];
  boost::system::error_code error;
  while (!error) {
    const std::size_t got = socket.read_some(asio::buffer(chunk), error);
    received.append(chunk, got);
  }
  return received;
}

}  // namespace glyphward_service_test
