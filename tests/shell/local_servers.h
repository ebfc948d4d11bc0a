// Small FTP and HTTP servers of the tests' own on 127.0.0.1, each on a thread of its own,
// so that the upload and the update check run against something real without a network.
#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace local_servers {

// A listening socket on 127.0.0.1 with a free port.
inline int Listen(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = 0;
  ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  ::listen(fd, 4);
  socklen_t n = sizeof a;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
  port = ntohs(a.sin_port);
  return fd;
}

inline void Send(int fd, const std::string& s) { (void)!::write(fd, s.data(), s.size()); }

// Reads one line (up to LF) from fd; false when the peer closed.
inline bool ReadLine(int fd, std::string& line) {
  line.clear();
  char c;
  while (::read(fd, &c, 1) == 1) {
    if (c == '\n') return true;
    if (c != '\r') line += c;
  }
  return false;
}

// FTP: one session at a time. Its passive reply always names 10.0.0.5 (an address that is
// not this server), with the port of the data listener it really opened: a client that
// follows the named address never reaches it.
class FtpServer {
 public:
  enum Mode { Normal, RefuseLogin, Silent };
  explicit FtpServer(Mode mode) : mode_(mode) {
    listen_ = Listen(port_);
    thread_ = std::thread([this] { Run(); });
  }
  ~FtpServer() {
    stop_ = true;
    ::shutdown(listen_, SHUT_RDWR);
    ::close(listen_);
    thread_.join();
  }
  int port() const { return port_; }
  std::map<std::string, std::string> files() {
    std::lock_guard<std::mutex> g(m_);
    return files_;
  }
  std::vector<std::string> commands() {
    std::lock_guard<std::mutex> g(m_);
    return commands_;
  }

 private:
  void Run() {
    while (!stop_) {
      const int c = ::accept(listen_, nullptr, nullptr);
      if (c < 0) return;
      Session(c);
      ::close(c);
    }
  }
  void Session(int c) {
    Send(c, "220 Corvalen test server\r\n");
    std::string line, folder = "/";
    int data = -1, dataPort = 0;
    while (ReadLine(c, line)) {
      {
        std::lock_guard<std::mutex> g(m_);
        commands_.push_back(line);
      }
      if (mode_ == Silent) continue;   // takes everything, answers nothing
      const std::string cmd = line.substr(0, line.find(' '));
      const std::string arg = line.find(' ') == std::string::npos ? "" : line.substr(line.find(' ') + 1);
      if (cmd == "USER") Send(c, "331 Password\r\n");
      else if (cmd == "PASS") Send(c, mode_ == RefuseLogin ? "530 Login incorrect\r\n" : "230 Logged in\r\n");
      else if (cmd == "PWD") Send(c, "257 \"/\"\r\n");
      else if (cmd == "CWD") {
        folder = "/" + arg + "/";
        Send(c, "250 OK\r\n");
      } else if (cmd == "TYPE") Send(c, "200 OK\r\n");
      else if (cmd == "PASV") {
        if (data >= 0) ::close(data);
        data = Listen(dataPort);
        Send(c, "227 Entering Passive Mode (10,0,0,5," + std::to_string(dataPort / 256) + "," +
                    std::to_string(dataPort % 256) + ").\r\n");
      } else if (cmd == "STOR" && data >= 0) {
        Send(c, "150 Go ahead\r\n");
        // A client that went to the named address never comes: give up after a while.
        pollfd p{data, POLLIN, 0};
        if (::poll(&p, 1, 5000) != 1) {
          Send(c, "425 No data connection\r\n");
          continue;
        }
        const int d = ::accept(data, nullptr, nullptr);
        std::string body;
        char buf[4096];
        for (ssize_t n; (n = ::read(d, buf, sizeof buf)) > 0;) body.append(buf, size_t(n));
        ::close(d);
        {
          std::lock_guard<std::mutex> g(m_);
          files_[folder + arg] = body;
        }
        Send(c, "226 Stored\r\n");
      } else if (cmd == "QUIT") {
        Send(c, "221 Bye\r\n");
        break;
      } else Send(c, "502 Not implemented\r\n");
    }
    if (data >= 0) ::close(data);
  }
  Mode mode_;
  int listen_ = -1, port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex m_;
  std::map<std::string, std::string> files_;
  std::vector<std::string> commands_;
};

// HTTP: answers every GET of `path` with status and body, anything else with 404.
class HttpServer {
 public:
  HttpServer(std::string path, int status, std::string body)
      : path_(std::move(path)), status_(status), body_(std::move(body)) {
    listen_ = Listen(port_);
    thread_ = std::thread([this] { Run(); });
  }
  ~HttpServer() {
    ::shutdown(listen_, SHUT_RDWR);
    ::close(listen_);
    thread_.join();
  }
  int port() const { return port_; }
  int requests() const { return requests_; }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

 private:
  void Run() {
    for (;;) {
      const int c = ::accept(listen_, nullptr, nullptr);
      if (c < 0) return;
      ++requests_;
      std::string line, request;
      ReadLine(c, request);
      while (ReadLine(c, line) && !line.empty()) {
      }
      const bool hit = request.find("GET " + path_ + " ") == 0;
      const int status = hit ? status_ : 404;
      const std::string body = hit ? body_ : "missing";
      Send(c, "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Length: " + std::to_string(body.size()) +
                  "\r\nConnection: close\r\n\r\n" + body);
      ::close(c);
    }
  }
  std::string path_;
  int status_;
  std::string body_;
  int listen_ = -1, port_ = 0;
  std::atomic<int> requests_{0};
  std::thread thread_;
};

}  // namespace local_servers
