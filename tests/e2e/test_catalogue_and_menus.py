#!/usr/bin/env python3
"""The news lists and the menu bar of the built program, driven by mouse and keyboard."""


import harness


class CatalogueAndMenus(harness.ProgramTest):

    def test_choosing_a_sub_category_with_the_mouse_opens_its_page(self):
        harness.click_at(*harness.LIST1_THIRD_ROW)   # Sports Tournaments News
        harness.click_at(*harness.LIST2_SECOND_ROW)  # Tennis Tournaments News
        self.site.wait_for_request("GET http://www.zelsoft.example/tennis_tournaments.htm")
        self.site.wait_for_loaded_title("Tennis Tournaments News")

    def test_site_command_from_the_keyboard_opens_publisher_home(self):
        harness.press_keys(self.window, "alt+o", "h")  # Online, Publisher Home
        self.site.wait_for_request("GET http://www.zelsoft.example/")
        self.site.wait_for_loaded_title("Zelsoft Publisher Home")

    def test_shared_access_key_moves_between_its_items(self):
        # S is marked on Zel Kinseek Service and on Publisher Store: it only moves the
        # highlight between the two, so one S or two, then Enter, choose one and then the other.
        kinseek = "GET http://www.zelsoft.example/kinseek.htm"
        store = "GET http://www.zelsoft.example/store.htm"
        chosen = lambda: [line for line in self.site.requests() if line in (kinseek, store)]
        harness.press_keys(self.window, "alt+o", "s", "Return")
        first = harness.wait_until("a page chosen with S", chosen)
        harness.press_keys(self.window, "alt+o", "s", "s", "Return")
        both = harness.wait_until("a second page chosen with S",
                                  lambda: chosen() if len(chosen()) == 2 else None)
        self.assertEqual(sorted(both), sorted([kinseek, store]), first)

if __name__ == "__main__":
    harness.main()
