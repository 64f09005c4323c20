// Imports on several threads at once, each thread with its own plug-in
// objects of all five plug-ins, its own files and charsets; one more object
// has its reference count raised and dropped by every thread. Each thread
// must see exactly the events of the same import run alone. Built and run
// under ThreadSanitizer by scripts/test.sh.
#include "RobustnessSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

const int kThreads = 4;
const int kRounds = 10;

struct Job {
    std::size_t library;
    std::vector<std::wstring> paths;
    test::ImportRun run;
    std::vector<std::wstring> expected;
};

// Thread t reads the examples of each format rotated by t, with a charset
// of its own (empty lets the detecting plug-ins choose).
std::vector<Job> jobsOfThread(int t, const test::TempDir& dir)
{
    static const wchar_t* const charsets[] = {L"", L"CP1251", L"UTF-8", L"CP866"};
    std::vector<Job> jobs;
    for (std::size_t i = 0; i < robust::pluginCases().size(); ++i) {
        const auto& c = robust::pluginCases()[i];
        Job job{i, robust::examplesOf(c.plugin), {}, {}};
        std::rotate(job.paths.begin(), job.paths.begin() + t % job.paths.size(), job.paths.end());
        // A file of this thread alone: the example under another name.
        const std::string own = "t" + std::to_string(t) + "/" + c.fileName;
        job.paths.push_back(dir.write(own, test::readBytes(test::sourcePath(c.example))));
        const std::wstring charset = charsets[t % 4];
        if (!charset.empty())
            job.run.settings[L"charset"] = charset;
        job.run.options.offerTarget2 = t != 3;
        jobs.push_back(std::move(job));
    }
    return jobs;
}

TEST(Concurrency, ThreadsImportWithTheirOwnObjectsAndSeeWhatAloneWouldSee)
{
    std::vector<host::LoadedPlugin> libraries;
    for (const auto& c : robust::pluginCases())
        libraries.push_back(host::LoadedPlugin::load(test::pluginPath(c.plugin)));

    test::TempDir dir;
    std::vector<std::vector<Job>> jobs;
    for (int t = 0; t < kThreads; ++t) {
        jobs.push_back(jobsOfThread(t, dir));
        for (auto& job : jobs.back())
            job.expected = robust::importWithObject(libraries[job.library], job.paths, job.run).describeEvents();
    }

    Plugin::IPlugin2* shared = libraries[0].createAnother().release();
    std::atomic<int> ready{0};
    std::vector<std::vector<std::string>> mismatches(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            ++ready;
            while (ready.load() < kThreads)
                std::this_thread::yield();
            for (int round = 0; round < kRounds; ++round) {
                for (const auto& job : jobs[t]) {
                    shared->AddRef();
                    const auto target = robust::importWithObject(libraries[job.library], job.paths, job.run);
                    if (target.describeEvents() != job.expected)
                        mismatches[t].push_back(robust::pluginCases()[job.library].plugin);
                    shared->Release();
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_TRUE(shared->Release());

    for (int t = 0; t < kThreads; ++t)
        for (const auto& plugin : mismatches[t])
            ADD_FAILURE() << "thread " << t << ": " << plugin << " imported differently than alone";
}

} // namespace
