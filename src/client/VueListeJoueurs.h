#pragma once
#include <array>
#include <string>

#include "sharedwin/PlayerList.h"

// The client's player list: the seats of param.ini, the profile's voice on a click, and the
// download page in the web browser window once the site has answered.
namespace client {

class TForm9 : public PlayerList {
    Q_OBJECT
public:
    explicit TForm9(QWidget* mainWindow);

protected:
    std::array<std::string, 3> SeatFiles() const override;
    void ChooseProfile(const std::string& fileName) override;
    void PlayProfileSound() override;
    void OpenDownloadPage() override;
};

} // namespace client
