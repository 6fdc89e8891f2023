#pragma once
// The reference photo store over HTTPS for a test: a certificate made in `folder`, the photos
// of `folder`/served, the accounts given, and any further switches.

#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

#include <memory>

namespace lv::sharing::testing {

struct StoreServer {
    StoreServer(const std::filesystem::path& folder, const std::vector<std::string>& accounts,
                std::vector<std::string> extra = {})
        : cert(MakeSelfSignedCertificate(folder))
        , served(folder / "served")
    {
        EXPECT_FALSE(cert.certificate.empty()) << "openssl could not make a certificate";
        std::filesystem::create_directories(served);
        std::vector<std::string> args = {"--photos", served.string(), "--accounts", AccountsFile(folder, accounts),
                                         "--port", "0", "--cert", cert.certificate, "--key", cert.key};
        args.insert(args.end(), extra.begin(), extra.end());
        process = std::make_unique<ServerProcess>("scripts/photo_store_server.py", args);
        EXPECT_TRUE(process->started());
    }
    bool started() const { return !cert.certificate.empty() && process->started(); }
    int port() const { return process->port(); }
    std::string address() const { return "https://127.0.0.1:" + std::to_string(port()); }
    // The program's settings naming this service.
    std::string settings() const { return "[SHARING]\nStoreServer=" + address() + "/\nStoreCertificate=" + cert.certificate + "\n"; }
    // The tool's switches naming this service.
    std::string switches() const { return " --server " + address() + " --ca-file " + cert.certificate; }

    Certificate cert;
    std::filesystem::path served;
    std::unique_ptr<ServerProcess> process;
};

}  // namespace lv::sharing::testing
