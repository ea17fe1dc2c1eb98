// Downloads and the login check through the HTTP proxy of the settings, a real tinyproxy.
#include "OnlineWindows.h"
#include "support/TinyProxy.h"

TEST(ThroughTheProxy, DownloadsAndTheLoginCheckGoThroughTheProxyOfTheSettings) {
    TinyProxy proxy;
    ASSERT_TRUE(proxy.Start());
    OnlineWindows w;
    client::Settings& s = client::AppSettings();
    s.IsProxy = true;
    s.ProxyAddress = proxy.Host();
    s.ProxyPort = proxy.Port();
    w.main().PUBProgressChange("MORVATEL 3.0.3");
    ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=00", 1));
    EXPECT_TRUE(proxy.WaitForLog("GET " + w.web.Url() + "all/page0.php?req=00&wsurnom=&wpassword=&iop=1"));

    w.web.SetFile("/files/players/zed.zip", ZipWithTool({{"players/zed.vrk", "p"}}));
    auto* download = new client::TForm10(&w.main());
    download->Url = w.web.Url() + "files/players/zed.zip";
    download->LocalPath = w.inFolder("players/zed.zip");
    download->ExtractBaseDir = w.inFolder("");
    download->DownloadFile();
    EXPECT_EQ(WaitForDownload(download), client::TForm10::Outcome::Extracted);
    EXPECT_TRUE(Exists(w.inFolder("players/zed.vrk")));
    EXPECT_TRUE(proxy.WaitForLog("GET " + w.web.Url() + "files/players/zed.zip"));
}
