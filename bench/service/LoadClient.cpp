// Puts a bounded load on a running service: N challenges, each followed by
// its picture, over C keep-alive connections, and reports throughput,
// latency percentiles and errors.
//
//   service_load PORT REQUESTS CONNECTIONS
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>  // before Asio, whose coroutine header needs std::exchange
#include <vector>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <nlohmann/json.hpp>

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

struct Totals {
  std::size_t remaining = 0;
  std::size_t errors = 0;
  std::vector<double> pairSeconds;
};

// One connection that runs challenge-then-picture pairs until the shared
// budget is spent.
class Worker : public std::enable_shared_from_this<Worker> {
 public:
  Worker(asio::io_context& ioc, tcp::endpoint endpoint, Totals& totals)
      : stream_(ioc), endpoint_(endpoint), totals_(totals) {}

  void Start() {
    stream_.async_connect(endpoint_, [self = shared_from_this()](beast::error_code error) {
      if (error) return self->Fail();
      self->NextPair();
    });
  }

 private:
  void NextPair() {
    if (totals_.remaining == 0) return;
    --totals_.remaining;
    started_ = Clock::now();
    Send(http::verb::post, "/api/challenge", [this](const Response& response) {
      if (response.result_int() != 201) return Fail();
      const auto body = nlohmann::json::parse(response.body(), nullptr, false);
      if (body.is_discarded() || !body.contains("image")) return Fail();
      Send(http::verb::get, body["image"].get<std::string>(), [this](const Response& picture) {
        if (picture.result_int() != 200 || picture.body().empty()) return Fail();
        totals_.pairSeconds.push_back(
            std::chrono::duration<double>(Clock::now() - started_).count());
        NextPair();
      });
    });
  }

  using Response = http::response<http::string_body>;
  template <class Then>
  void Send(http::verb verb, const std::string& target, Then then) {
    request_ = {verb, target, 11};
    request_.set(http::field::host, "127.0.0.1");
    request_.keep_alive(true);
    request_.prepare_payload();
    http::async_write(stream_, request_,
                      [self = shared_from_this(), then](beast::error_code error, std::size_t) {
                        if (error) return self->Fail();
                        self->response_ = {};
                        http::async_read(self->stream_, self->buffer_, self->response_,
                                         [self, then](beast::error_code readError, std::size_t) {
                                           if (readError) return self->Fail();
                                           then(self->response_);
                                         });
                      });
  }

  // A failed pair counts as an error; the connection starts afresh.
  void Fail() {
    ++totals_.errors;
    beast::error_code ignored;
    stream_.socket().close(ignored);
    buffer_.clear();
    Start();
  }

  beast::tcp_stream stream_;
  tcp::endpoint endpoint_;
  Totals& totals_;
  beast::flat_buffer buffer_;
  http::request<http::empty_body> request_;
  Response response_;
  Clock::time_point started_;
};

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: service_load PORT REQUESTS CONNECTIONS\n");
    return 2;
  }
  const auto port = static_cast<unsigned short>(std::atoi(argv[1]));
  Totals totals;
  totals.remaining = std::size_t(std::atol(argv[2]));
  const int connections = std::max(1, std::atoi(argv[3]));
  const std::size_t requested = totals.remaining;
  totals.pairSeconds.reserve(requested);

  asio::io_context ioc(1);
  const tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"), port);
  const auto started = Clock::now();
  for (int i = 0; i < connections; ++i) std::make_shared<Worker>(ioc, endpoint, totals)->Start();
  // Errors stop counting against the budget after the first thousand, so a
  // dead server ends the run instead of spinning.
  while (ioc.run_one()) {
    if (totals.errors > 1000) break;
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - started).count();

  std::vector<double>& pairs = totals.pairSeconds;
  std::sort(pairs.begin(), pairs.end());
  auto percentile = [&](double p) {
    return pairs.empty() ? 0.0 : pairs[std::min(pairs.size() - 1, std::size_t(p * pairs.size()))];
  };
  std::printf("pairs %zu/%zu  errors %zu  %.0f pairs/s  p50 %.2f ms  p99 %.2f ms  (%.2f s)\n",
              pairs.size(), requested, totals.errors, double(pairs.size()) / seconds,
              percentile(0.50) * 1e3, percentile(0.99) * 1e3, seconds);
  return totals.errors == 0 && pairs.size() == requested ? 0 : 1;
}
