#include "HttpServer.h"

#include <array>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

namespace glyphward_service {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using Response = http::response<http::string_body>;

std::string_view View(beast::string_view text) {
  return {text.data(), text.size()};
}

// One connection: read a request, answer it, and again while the client
// keeps the connection alive. Every wait is bounded by the read timeout.
class Session : public std::enable_shared_from_this<Session> {
 public:
  Session(tcp::socket socket, ServiceApi& api, Metrics& metrics)
      : stream_(std::move(socket)), api_(api), metrics_(metrics) {
    metrics_.ConnectionOpened();
  }
  ~Session() { metrics_.ConnectionClosed(); }

  void Start() {
    const ServiceSettings& settings = api_.Settings();
    if (metrics_.OpenConnections() > std::int64_t(settings.maxConnections)) {
      Send(ErrorResponse(503, "too_many_connections", "the server is busy; try again shortly"), 11,
           false);
      return;
    }
    Read();
  }

 private:
  void Read() {
    const ServiceSettings& settings = api_.Settings();
    parser_.emplace();
    parser_->header_limit(std::uint32_t(settings.maxHeaderBytes));
    parser_->body_limit(settings.maxBodyBytes);
    stream_.expires_after(settings.readTimeout);
    http::async_read(stream_, buffer_, *parser_,
                     beast::bind_front_handler(&Session::OnRead, shared_from_this()));
  }

  void OnRead(beast::error_code error, std::size_t) {
    if (error == http::error::end_of_stream || error == beast::error::timeout ||
        error == asio::error::operation_aborted) {
      return Close();
    }
    if (error == http::error::body_limit)
      return Send(ErrorResponse(413, "body_too_large",
                                "request bodies are limited to " +
                                    std::to_string(api_.Settings().maxBodyBytes) + " bytes"),
                  11, false);
    if (error == http::error::header_limit)
      return Send(ErrorResponse(431, "headers_too_large",
                                "request headers are limited to " +
                                    std::to_string(api_.Settings().maxHeaderBytes) + " bytes"),
                  11, false);
    if (error) {
      if (error.category() == http::make_error_code(http::error::bad_target).category())
        return Send(ErrorResponse(400, "bad_request", "the request is not valid HTTP/1.1"), 11,
                    false);
      return Close();
    }

    const auto started = std::chrono::steady_clock::now();
    const http::request<http::string_body>& request = parser_->get();
    const ApiResponse answer =
        api_.Handle({View(request.method_string()), View(request.target()), request.body()});
    Send(answer, request.version(), request.keep_alive());
    metrics_.RequestServed(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  }

  void Send(const ApiResponse& answer, unsigned version, bool keepAlive) {
    auto response = std::make_shared<Response>(http::status(answer.status), version);
    response->set(http::field::server, "glyphward");
    response->set(http::field::content_type, answer.contentType);
    response->set("X-Content-Type-Options", "nosniff");
    for (const auto& [name, value] : answer.headers) response->set(name, value);
    if (api_.Settings().testMode) response->set("X-Glyphward-Test-Mode", "1");
    response->body() = answer.body;
    response->keep_alive(keepAlive);
    response->prepare_payload();
    stream_.expires_after(api_.Settings().readTimeout);
    http::async_write(stream_, *response,
                      [self = shared_from_this(), response](beast::error_code error, std::size_t) {
                        if (error) return self->Close();
                        if (!response->keep_alive()) return self->Linger();
                        self->Read();
                      });
  }

  // Closing a socket with unread bytes resets the connection, which can
  // destroy the answer before the client reads it: stop sending, then
  // discard what still arrives for a moment.
  void Linger() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
    stream_.expires_after(std::chrono::seconds(1));
    Discard();
  }

  void Discard() {
    stream_.async_read_some(asio::buffer(discard_),
                            [self = shared_from_this()](beast::error_code error, std::size_t) {
                              if (error) return self->Close();
                              self->Discard();
                            });
  }

  void Close() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
    stream_.close();
  }

  beast::tcp_stream stream_;
  beast::flat_buffer buffer_;
  std::array<char, 4096> discard_;
  std::optional<http::request_parser<http::string_body>> parser_;
  ServiceApi& api_;
  Metrics& metrics_;
};

}  // namespace

struct HttpServer::State {
  State(ServiceApi& api, Metrics& metrics)
      : api(api), metrics(metrics), ioc(int(api.Settings().threads)), acceptor(ioc), retry(ioc) {}

  void Accept() {
    acceptor.async_accept(asio::make_strand(ioc),
                          [this](beast::error_code error, tcp::socket socket) {
                            if (error == asio::error::operation_aborted) return;
                            if (error) {
                              // Out of descriptors, say: wait a moment rather than spin.
                              retry.expires_after(std::chrono::milliseconds(50));
                              retry.async_wait([this](beast::error_code waitError) {
                                if (!waitError) Accept();
                              });
                              return;
                            }
                            std::make_shared<Session>(std::move(socket), api, metrics)->Start();
                            Accept();
                          });
  }

  ServiceApi& api;
  Metrics& metrics;
  asio::io_context ioc;
  tcp::acceptor acceptor;
  asio::steady_timer retry;
  std::vector<std::thread> threads;
};

HttpServer::HttpServer(ServiceApi& api, Metrics& metrics)
    : state_(std::make_unique<State>(api, metrics)) {
  const ServiceSettings& settings = api.Settings();
  beast::error_code error;
  const asio::ip::address address = asio::ip::make_address(settings.address, error);
  if (error) throw std::runtime_error("'" + settings.address + "' is not an IP address");
  const tcp::endpoint endpoint(address, settings.port);
  tcp::acceptor& acceptor = state_->acceptor;
  acceptor.open(endpoint.protocol(), error);
  if (!error) acceptor.set_option(asio::socket_base::reuse_address(true), error);
  if (!error) acceptor.bind(endpoint, error);
  if (!error) acceptor.listen(asio::socket_base::max_listen_connections, error);
  if (error)
    throw std::runtime_error("cannot listen on " + settings.address + ":" +
                             std::to_string(settings.port) + ": " + error.message());
}

HttpServer::~HttpServer() {
  Stop();
}

std::uint16_t HttpServer::Port() const {
  return state_->acceptor.local_endpoint().port();
}

void HttpServer::Start() {
  state_->Accept();
  const unsigned count = std::max(1u, state_->api.Settings().threads);
  for (unsigned i = 0; i < count; ++i) state_->threads.emplace_back([this] { state_->ioc.run(); });
}

void HttpServer::Run() {
  asio::signal_set signals(state_->ioc, SIGINT, SIGTERM);
  signals.async_wait([this](beast::error_code, int) { state_->ioc.stop(); });
  Start();
  for (std::thread& thread : state_->threads) thread.join();
  state_->threads.clear();
}

void HttpServer::Stop() {
  state_->ioc.stop();
  for (std::thread& thread : state_->threads)
    if (thread.joinable()) thread.join();
  state_->threads.clear();
}

}  // namespace glyphward_service
